#include "sound/ds.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio_env.h"
#include "memory_file.h"
#include "wav_bytes.h"

namespace {

using namespace std::chrono_literals;
using wavtest::Bytes;

constexpr int effectFlags = 3;
constexpr int musicFlags = 1;

class DsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        audiotest::useSilentAudioDriver();
        device = dsInitialize(0);
        ASSERT_NE(device, 0) << "the dummy audio driver should always open";
    }
    void TearDown() override { dsTerminate(device); }

    int load(const Bytes& file, int flags = effectFlags) {
        return dsCreateDSB(device, file.data(), file.size(), flags);
    }

    int device = 0;
};

TEST_F(DsTest, LoadsWellFormedFilesIntoDistinctBuffers) {
    const int mono = load(wavtest::toneWav(0.05, 1));
    const int stereo = load(wavtest::toneWav(0.05, 2), musicFlags);
    EXPECT_NE(mono, 0);
    EXPECT_NE(stereo, 0);
    EXPECT_NE(mono, stereo);
}

TEST_F(DsTest, TheBlockMayBeReleasedRightAfterLoading) {
    auto file = std::make_unique<Bytes>(wavtest::toneWav(0.3));
    const int buffer = load(*file);
    ASSERT_NE(buffer, 0);
    file.reset();
    EXPECT_EQ(dsPlay(buffer), 1);
    EXPECT_TRUE(dsIsPlaying(buffer));
}

TEST_F(DsTest, RefusesWhatItCannotLoad) {
    const Bytes valid = wavtest::toneWav(0.05);
    Bytes truncated(valid.begin(), valid.end() - 10);
    wavtest::Format adpcm;
    adpcm.formatTag = 2;
    const Bytes adpcmFile =
        wavtest::RiffBuilder().fmt(adpcm).data(wavtest::toneSamples(0.01)).build();
    const std::string text = "not a sound at all";

    EXPECT_EQ(load(truncated), 0);
    EXPECT_EQ(load(adpcmFile), 0);
    EXPECT_EQ(dsCreateDSB(device, text.data(), text.size(), effectFlags), 0);
    EXPECT_EQ(dsCreateDSB(device, nullptr, valid.size(), effectFlags), 0);
    EXPECT_EQ(dsCreateDSB(0, valid.data(), valid.size(), effectFlags), 0);
    EXPECT_EQ(dsCreateDSB(device + 1000, valid.data(), valid.size(), effectFlags), 0);
    // Still able to load once the bad blocks were turned away.
    EXPECT_NE(load(valid), 0);
}

TEST_F(DsTest, CallsWithNoBufferAreHarmless) {
    EXPECT_EQ(dsPlay(0), 0);
    EXPECT_EQ(dsPlayLooping(0), 0);
    EXPECT_EQ(dsStop(0), 0);
    EXPECT_FALSE(dsIsPlaying(0));
    dsFree(0);
    dsTerminate(0);
    EXPECT_EQ(dsPlay(123456), 0);
    dsFree(123456);
    // The device survived all of that.
    const int buffer = load(wavtest::toneWav(0.3));
    ASSERT_NE(buffer, 0);
    EXPECT_EQ(dsPlay(buffer), 1);
}

TEST_F(DsTest, AFreedBufferIsForgottenAndTheOthersRemain) {
    const int freed = load(wavtest::toneWav(1.0));
    const int kept = load(wavtest::toneWav(1.0));
    ASSERT_NE(freed, 0);
    ASSERT_NE(kept, 0);
    ASSERT_EQ(dsPlayLooping(freed), 1);
    ASSERT_EQ(dsPlayLooping(kept), 1);

    dsFree(freed);
    EXPECT_FALSE(dsIsPlaying(freed));
    EXPECT_EQ(dsPlay(freed), 0);
    EXPECT_EQ(dsPlayLooping(freed), 0);
    EXPECT_EQ(dsStop(freed), 0);
    dsFree(freed);

    EXPECT_TRUE(dsIsPlaying(kept));
    EXPECT_EQ(dsStop(kept), 1);
    EXPECT_FALSE(dsIsPlaying(kept));
}

TEST_F(DsTest, PlayOnceEndsAndLoopingLastsUntilStopped) {
    const int once = load(wavtest::toneWav(0.1));
    const int looping = load(wavtest::toneWav(0.1), musicFlags);
    ASSERT_EQ(dsPlay(once), 1);
    ASSERT_EQ(dsPlayLooping(looping), 1);
    EXPECT_TRUE(dsIsPlaying(once));

    EXPECT_TRUE(audiotest::waitUntil([&] { return !dsIsPlaying(once); }, 3s))
        << "a 0.1 s sound played once should end";
    std::this_thread::sleep_for(300ms);  // three more lengths of the looping sound
    EXPECT_TRUE(dsIsPlaying(looping));

    EXPECT_EQ(dsStop(looping), 1);
    EXPECT_FALSE(dsIsPlaying(looping));
}

TEST_F(DsTest, EffectsNeverCutTheMusic) {
    const int music = load(wavtest::toneWav(0.5, 2), musicFlags);
    const int effect = load(wavtest::toneWav(0.5));
    ASSERT_EQ(dsPlayLooping(music), 1);
    std::this_thread::sleep_for(20ms);  // so the music is the oldest sound playing
    // More effects at once than there are channels: each still starts, the oldest giving way.
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(dsPlay(effect), 1) << "effect " << i;
    EXPECT_TRUE(dsIsPlaying(music));
    EXPECT_TRUE(dsIsPlaying(effect));

    EXPECT_EQ(dsStop(effect), 1);
    EXPECT_FALSE(dsIsPlaying(effect));
    EXPECT_TRUE(dsIsPlaying(music));
}

TEST_F(DsTest, TwoMusicBuffersPlayTogether) {
    const int first = load(wavtest::toneWav(0.5), musicFlags);
    const int second = load(wavtest::toneWav(0.5), musicFlags);
    ASSERT_EQ(dsPlayLooping(first), 1);
    ASSERT_EQ(dsPlayLooping(second), 1);
    // Starting the first again restarts it in place rather than taking the second's channel.
    ASSERT_EQ(dsPlayLooping(first), 1);
    EXPECT_TRUE(dsIsPlaying(first));
    EXPECT_TRUE(dsIsPlaying(second));
    dsStop(first);
    EXPECT_FALSE(dsIsPlaying(first));
    EXPECT_TRUE(dsIsPlaying(second));
}

// A block holding the bytes of a file, as the sound module reads one.
SampleBlock blockOf(const Bytes& file) {
    const int fd = audiotest::memoryFile(file);
    SampleBlock block;
    EXPECT_EQ(block.readAtMost(fd, file.size()), 0);
    ::close(fd);
    return block;
}

Bytes toneIn(int channels, int bits, std::uint32_t rate, double seconds) {
    wavtest::Format f;
    f.channels = static_cast<std::uint16_t>(channels);
    f.bitsPerSample = static_cast<std::uint16_t>(bits);
    f.sampleRate = rate;
    Bytes samples = wavtest::toneSamples(seconds, channels, static_cast<int>(rate));
    if (bits == 8) {
        // Keep the high byte of each 16-bit sample, made unsigned.
        Bytes narrow;
        for (std::size_t i = 1; i < samples.size(); i += 2)
            narrow.push_back(static_cast<std::uint8_t>(samples[i] ^ 0x80));
        samples = narrow;
    }
    return wavtest::RiffBuilder().fmt(f).data(samples).build();
}

// Files in the device's format (44100 Hz, 16-bit stereo) play where they lie; the others are
// converted. Either way a sound played once lasts about its length and then ends.
TEST_F(DsTest, BlocksPlayForTheirLengthWhetherConvertedOrNot) {
    struct BlockCase {
        const char* name;
        int channels;
        int bits;
        std::uint32_t rate;
    };
    const BlockCase cases[] = {
        {"device format", 2, 16, 44100},
        {"mono", 1, 16, 44100},
        {"8-bit", 2, 8, 44100},
        {"other rate", 2, 16, 22050},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int buffer =
            dsCreateDSBFromBlock(device, blockOf(toneIn(c.channels, c.bits, c.rate, 0.25)), 3);
        ASSERT_NE(buffer, 0);
        const auto started = std::chrono::steady_clock::now();
        ASSERT_EQ(dsPlay(buffer), 1);
        EXPECT_TRUE(audiotest::waitUntil([&] { return !dsIsPlaying(buffer); }, 5s));
        EXPECT_GE(std::chrono::steady_clock::now() - started, 150ms) << "ended far too soon";
        dsFree(buffer);
    }
}

// A file that must be converted is refused when its samples, before or after the conversion,
// pass 16 MiB: SDL's copies on the way would otherwise take several times that. The device's
// own format plays in place and has no such bound.
TEST_F(DsTest, ConversionIsBoundedBeforeAndAfter) {
    struct BoundCase {
        const char* name;
        int channels;
        int bits;
        std::uint32_t rate;
        double seconds;
        bool loads;
    };
    const BoundCase cases[] = {
        // 8-bit mono at 8000 Hz grows 22.05 times: 16 MiB of output is 95 s.
        {"grows to 10.6 MB", 1, 8, 8000, 60, true},
        {"grows to 17.6 MB", 1, 8, 8000, 100, false},
        // 16-bit stereo at 96000 Hz shrinks: 44 s are 16.9 MB in, 7.8 MB out.
        {"16.9 MB in, shrinking", 2, 16, 96000, 44, false},
        {"15.4 MB in, shrinking", 2, 16, 96000, 40, true},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int buffer = dsCreateDSBFromBlock(
            device, blockOf(toneIn(c.channels, c.bits, c.rate, c.seconds)), effectFlags);
        EXPECT_EQ(buffer != 0, c.loads);
        dsFree(buffer);
    }
}

// Music in the device's format plays straight from its file: once for its length, or looping
// until stopped. Whatever the file becomes meanwhile, playing it stays safe.
TEST_F(DsTest, MusicStreamsFromItsFile) {
    const Bytes music = toneIn(2, 16, 44100, 0.3);
    const int fd = audiotest::memoryFile(music);
    const int buffer = dsCreateDSBFromFile(device, blockOf(music), ::dup(fd), musicFlags);
    ASSERT_NE(buffer, 0);

    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(dsPlay(buffer), 1);
    EXPECT_TRUE(dsIsPlaying(buffer));
    EXPECT_TRUE(audiotest::waitUntil([&] { return !dsIsPlaying(buffer); }, 5s));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 200ms) << "ended far too soon";

    ASSERT_EQ(dsPlayLooping(buffer), 1);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(dsIsPlaying(buffer)) << "a loop ends only when stopped";
    dsStop(buffer);
    EXPECT_FALSE(dsIsPlaying(buffer));

    // Cut short to less than its header while it loops: the music ends, nothing else happens.
    ASSERT_EQ(dsPlayLooping(buffer), 1);
    ASSERT_EQ(::ftruncate(fd, 20), 0);
    EXPECT_TRUE(audiotest::waitUntil([&] { return !dsIsPlaying(buffer); }, 5s));
    ::close(fd);
    dsFree(buffer);
    EXPECT_FALSE(dsIsPlaying(buffer));
}

// Only one music streams; a second one, effects and other formats load from the block as before.
TEST_F(DsTest, WhatCannotStreamLoadsFromTheBlock) {
    const Bytes music = toneIn(2, 16, 44100, 0.3);
    const int first =
        dsCreateDSBFromFile(device, blockOf(music), audiotest::memoryFile(music), musicFlags);
    ASSERT_NE(first, 0);
    struct FallbackCase {
        const char* name;
        Bytes file;
        int flags;
    };
    const FallbackCase cases[] = {
        {"second music", music, musicFlags},
        {"effect", toneIn(2, 16, 44100, 0.3), effectFlags},
        {"music at another rate", toneIn(2, 16, 22050, 0.3), musicFlags},
        {"8-bit music", toneIn(2, 8, 44100, 0.3), musicFlags},
    };
    for (const FallbackCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int buffer =
            dsCreateDSBFromFile(device, blockOf(c.file), audiotest::memoryFile(c.file), c.flags);
        ASSERT_NE(buffer, 0);
        ASSERT_EQ(dsPlay(buffer), 1);
        EXPECT_TRUE(dsIsPlaying(buffer));
        dsFree(buffer);
    }
    const Bytes truncated(music.begin(), music.end() - 3);
    EXPECT_EQ(dsCreateDSBFromFile(device, blockOf(truncated), audiotest::memoryFile(truncated),
                                  musicFlags),
              0);
    // Freeing the streaming music lets the next one stream.
    dsFree(first);
    const int next =
        dsCreateDSBFromFile(device, blockOf(music), audiotest::memoryFile(music), musicFlags);
    ASSERT_NE(next, 0);
    EXPECT_EQ(dsPlayLooping(next), 1);
    EXPECT_TRUE(dsIsPlaying(next));
}

TEST_F(DsTest, RefusesBadBlocksAndClosedDevices) {
    EXPECT_EQ(dsCreateDSBFromBlock(device, SampleBlock(), effectFlags), 0);
    const Bytes valid = toneIn(2, 16, 44100, 0.05);
    const Bytes truncated(valid.begin(), valid.end() - 3);
    EXPECT_EQ(dsCreateDSBFromBlock(device, blockOf(truncated), effectFlags), 0);
    EXPECT_EQ(dsCreateDSBFromBlock(0, blockOf(valid), effectFlags), 0);
    EXPECT_EQ(dsCreateDSBFromBlock(device + 1000, blockOf(valid), effectFlags), 0);
    EXPECT_NE(dsCreateDSBFromBlock(device, blockOf(valid), effectFlags), 0);
}

// Freeing a buffer that plays in place stops the mixer before its memory goes; the mixer
// reading freed memory would crash the test.
TEST_F(DsTest, FreeingAnInPlaceBufferWhileItLoopsIsSafe) {
    for (int round = 0; round < 20; ++round) {
        const int buffer =
            dsCreateDSBFromBlock(device, blockOf(toneIn(2, 16, 44100, 0.5)), musicFlags);
        ASSERT_NE(buffer, 0);
        ASSERT_EQ(dsPlayLooping(buffer), 1);
        std::this_thread::sleep_for(5ms);
        dsFree(buffer);
        EXPECT_FALSE(dsIsPlaying(buffer));
    }
}

TEST(DsLifetime, TerminateWithBuffersLoadedReleasesThemAll) {
    audiotest::useSilentAudioDriver();
    const int device = dsInitialize(0);
    ASSERT_NE(device, 0);
    const Bytes file = wavtest::toneWav(0.5);
    std::vector<int> buffers;
    for (int i = 0; i < 5; ++i) {
        buffers.push_back(dsCreateDSB(device, file.data(), file.size(), i == 0 ? 1 : 3));
        ASSERT_NE(buffers.back(), 0);
    }
    dsPlayLooping(buffers[0]);
    dsPlay(buffers[1]);

    dsTerminate(device);
    for (int buffer : buffers) {
        EXPECT_FALSE(dsIsPlaying(buffer));
        EXPECT_EQ(dsPlay(buffer), 0);
        EXPECT_EQ(dsStop(buffer), 0);
        dsFree(buffer);
    }
    EXPECT_EQ(dsCreateDSB(device, file.data(), file.size(), 3), 0) << "the device is closed";
    dsTerminate(device);

    // The sound system can be started again, under a new handle.
    const int again = dsInitialize(0);
    ASSERT_NE(again, 0);
    EXPECT_NE(again, device);
    EXPECT_EQ(dsCreateDSB(device, file.data(), file.size(), 3), 0) << "the old handle is stale";
    const int buffer = dsCreateDSB(again, file.data(), file.size(), 3);
    EXPECT_NE(buffer, 0);
    for (int old : buffers)
        EXPECT_NE(buffer, old) << "handles are never reused";
    EXPECT_EQ(dsPlay(buffers[2]), 0);
    dsTerminate(again);
}

TEST(DsLifetime, NoSoundSystemGivesDeviceZero) {
    audiotest::ScopedAudioDriver missing("quorvel_no_such_driver");
    EXPECT_EQ(dsInitialize(0), 0);
    const Bytes file = wavtest::toneWav(0.05);
    EXPECT_EQ(dsCreateDSB(0, file.data(), file.size(), 3), 0);
    dsTerminate(0);
}

}
