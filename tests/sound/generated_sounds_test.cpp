#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio_env.h"
#include "sound/ds.h"
#include "sound/wav_check.h"
#include "wav_bytes.h"

// Examines the sound files the generator wrote for the game.

namespace {

namespace fs = std::filesystem;
using wavtest::Bytes;

struct Expected {
    std::string name;
    double minSeconds;
    double maxSeconds;
};

const std::vector<Expected> expectedFiles = {
    {"駒打音.wav", 0.05, 0.3}, {"磁石音.wav", 0.05, 0.5}, {"禁止.wav", 0.1, 0.5},
    {"その他.wav", 0.2, 1.0},  {"BGM.wav", 20.0, 60.0},
};

// The samples of a validated 16-bit PCM file, one vector per channel.
struct Pcm {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::vector<int>> samples;

    double seconds() const { return static_cast<double>(samples[0].size()) / sampleRate; }
};

Pcm decode(const Bytes& file) {
    Pcm pcm;
    std::size_t at = 12;
    while (at + 8 <= file.size()) {
        const std::string id(file.begin() + static_cast<std::ptrdiff_t>(at),
                             file.begin() + static_cast<std::ptrdiff_t>(at + 4));
        const std::uint32_t size = wavtest::getU32(file, at + 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            pcm.channels = wavtest::getU16(file, body + 2);
            pcm.sampleRate = static_cast<int>(wavtest::getU32(file, body + 4));
            pcm.bitsPerSample = wavtest::getU16(file, body + 14);
            pcm.samples.assign(pcm.channels, {});
        } else if (id == "data" && pcm.bitsPerSample == 16) {
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                const auto value = static_cast<std::int16_t>(wavtest::getU16(file, body + i));
                pcm.samples[(i / 2) % pcm.channels].push_back(value);
            }
        }
        at = body + size + (size & 1u);
    }
    return pcm;
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (!in || error) return {};
    Bytes bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    return bytes;
}

double peakDbfs(const Pcm& pcm) {
    int peak = 0;
    for (const auto& channel : pcm.samples) {
        for (int s : channel)
            peak = std::max(peak, std::abs(s));
    }
    return 20.0 * std::log10(peak / 32768.0);
}

// The files the build generated into the game's folder.
const fs::path runFolder = QUORVEL_RUN_DIR;

class GeneratedSounds : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const Expected& e : expectedFiles) {
            ASSERT_TRUE(fs::is_regular_file(runFolder / e.name)) << e.name;
        }
    }
};

TEST_F(GeneratedSounds, AreWellFormedAndOfTheRightLengthAndLevel) {
    for (const Expected& e : expectedFiles) {
        SCOPED_TRACE(e.name);
        const Bytes file = readFile(runFolder / e.name);
        ASSERT_FALSE(file.empty());
        ASSERT_TRUE(isWellFormedWav(file.data(), file.size()));

        const Pcm pcm = decode(file);
        EXPECT_EQ(pcm.bitsPerSample, 16);
        EXPECT_EQ(pcm.sampleRate, 44100);
        EXPECT_GE(pcm.seconds(), e.minSeconds);
        EXPECT_LE(pcm.seconds(), e.maxSeconds);
        // Loud enough to hear, with headroom, and never pinned at full scale.
        EXPECT_GE(peakDbfs(pcm), -3.5);
        EXPECT_LE(peakDbfs(pcm), -0.9);
    }
}

TEST_F(GeneratedSounds, EffectsStartAndEndInSilence) {
    for (const Expected& e : expectedFiles) {
        if (e.name == "BGM.wav") continue;
        SCOPED_TRACE(e.name);
        const Pcm pcm = decode(readFile(runFolder / e.name));
        ASSERT_GE(pcm.channels, 1);
        for (const auto& channel : pcm.samples) {
            ASSERT_FALSE(channel.empty());
            EXPECT_EQ(channel.front(), 0);
            EXPECT_EQ(channel.back(), 0);
        }
    }
}

// Played in a loop, the last sample is followed by the first. At the seam the waveform must
// move no more abruptly than it usually does from one sample to the next: a click would show as
// a step or a bend far beyond what the music itself contains.
int percentile99(std::vector<int> values) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(values.size() * 99 / 100);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

TEST_F(GeneratedSounds, MusicLoopsWithoutAClick) {
    const Pcm pcm = decode(readFile(runFolder / "BGM.wav"));
    ASSERT_EQ(pcm.channels, 2);
    for (const auto& channel : pcm.samples) {
        ASSERT_GT(channel.size(), 44100u);
        const std::size_t n = channel.size();
        const auto at = [&](std::size_t i) { return channel[i % n]; };  // the loop, unrolled
        const auto step = [&](std::size_t i) { return std::abs(at(i + 1) - at(i)); };
        const auto bend = [&](std::size_t i) {
            return std::abs(at(i + 1) - 2 * at(i) + at(i + n - 1));
        };
        std::vector<int> steps, bends;
        for (std::size_t i = 1; i + 1 < n; ++i) {
            steps.push_back(step(i));
            bends.push_back(bend(i));
        }
        const int usualStep = percentile99(steps);
        const int usualBend = percentile99(bends);
        EXPECT_LE(step(n - 1), usualStep);
        EXPECT_LE(bend(n - 1), usualBend);
        EXPECT_LE(bend(n), usualBend);
    }
}

// A fresh run of the generator writes exactly the files the build put in the game's folder.
TEST_F(GeneratedSounds, AreTheSameOnEveryRun) {
    std::string pattern = (fs::temp_directory_path() / "quorvel-sounds-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
    const fs::path folder = pattern;
    const std::string command = std::string("'") + QUORVEL_MAKE_SOUNDS + "' '" + pattern + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const Expected& e : expectedFiles) {
        EXPECT_TRUE(readFile(runFolder / e.name) == readFile(folder / e.name)) << e.name;
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

TEST_F(GeneratedSounds, LoadIntoTheSoundLibrary) {
    audiotest::useSilentAudioDriver();
    const int device = dsInitialize(0);
    ASSERT_NE(device, 0);
    for (const Expected& e : expectedFiles) {
        const Bytes file = readFile(runFolder / e.name);
        const int flags = e.name == "BGM.wav" ? 1 : 3;
        EXPECT_NE(dsCreateDSB(device, file.data(), file.size(), flags), 0) << e.name;
    }
    dsTerminate(device);
}

}
