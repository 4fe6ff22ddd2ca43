// Music is checked from its headers and handed to the library to play from its file; only when
// the library cannot stream it, or the headers do not hold, is the file read whole.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "sound/sound_library.h"
#include "sound/sound_module.h"
#include "wav_bytes.h"

namespace {

using wavtest::Bytes;
using wavtest::Format;
using wavtest::RiffBuilder;

constexpr int effectFlags = 3;
constexpr int musicFlags = 1;
constexpr int streamedHandle = 7;
constexpr int loadedHandle = 9;

// Records what the sound module asks of the library.
class RecordingLibrary final : public SoundLibrary {
  public:
    explicit RecordingLibrary(bool streams) : streams_(streams) {}
    ~RecordingLibrary() override {
        if (streamedFd >= 0) ::close(streamedFd);
    }

    int initialize(long) override { return 1; }
    void terminate(int) override {}
    int createFromFile(int, SampleBlock&& block, int fd, int) override {
        loadedBytes = block.size();
        if (fd >= 0) ::close(fd);
        return loadedHandle;
    }
    int createStreamed(int, const WavLayout& layout, int fd) override {
        streamedLayout = layout;
        if (!streams_) return 0;
        streamedFd = fd;
        return streamedHandle;
    }
    void free(int) override {}
    void releaseThread() override {}
    int play(int) override { return 0; }
    int playLooping(int) override { return 0; }
    int stop(int) override { return 0; }
    bool isPlaying(int) override { return false; }

    std::optional<WavLayout> streamedLayout;
    std::optional<std::size_t> loadedBytes;
    int streamedFd = -1;

  private:
    bool streams_;
};

TEST(MusicStream, OnlyHeadersAreReadWhenTheLibraryPlaysFromTheFile) {
    const Bytes samples = wavtest::toneSamples(0.05, 2);
    Format stereo;
    stereo.channels = 2;
    const Bytes plain = RiffBuilder().fmt(stereo).data(samples).build();
    const Bytes withList = RiffBuilder()
                               .chunk("LIST", Bytes(10))
                               .fmt(stereo)
                               .data(samples)
                               .chunk("LIST", Bytes(5))
                               .build();
    Bytes cutShort = plain;
    cutShort.resize(cutShort.size() - 4);
    // Well-formed, but with more chunks than a few small reads may look at.
    RiffBuilder manyChunks;
    for (int i = 0; i < 70; ++i)
        manyChunks.chunk("JUNK", Bytes(2));
    const Bytes crowded = manyChunks.fmt(stereo).data(samples).build();

    struct Case {
        const char* name;
        const Bytes& file;
        int flags;
        bool libraryStreams;
        std::optional<std::size_t> dataOffset;  // where the streamed samples start, if streamed
        int expected;
    };
    const std::vector<Case> cases = {
        {"music", plain, musicFlags, true, 44, streamedHandle},
        {"music with chunks around", withList, musicFlags, true, 12 + 18 + 24 + 8, streamedHandle},
        {"music the library cannot stream", plain, musicFlags, false, 44, loadedHandle},
        {"an effect", plain, effectFlags, true, std::nullopt, loadedHandle},
        {"music cut short", cutShort, musicFlags, true, std::nullopt, loadedHandle},
        {"music in many chunks", crowded, musicFlags, true, std::nullopt, loadedHandle},
    };
    const std::string path = ::testing::TempDir() + "quorvel_music_stream.wav";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(c.file.data()),
                      static_cast<std::streamsize>(c.file.size()));
        }
        RecordingLibrary library(c.libraryStreams);
        std::vector<std::string> warnings;
        SoundModule sound([&](const std::string& text) { warnings.push_back(text); }, library);
        sound.初期化_サウンド(0);
        EXPECT_EQ(sound.読込_WAVファイル(path, c.flags), c.expected);
        EXPECT_TRUE(warnings.empty());

        EXPECT_EQ(library.streamedLayout.has_value(), c.dataOffset.has_value());
        if (library.streamedLayout && c.dataOffset) {
            EXPECT_EQ(library.streamedLayout->dataOffset, *c.dataOffset);
            EXPECT_EQ(library.streamedLayout->dataSize, samples.size());
            EXPECT_EQ(library.streamedLayout->channels, 2);
        }
        if (c.expected == streamedHandle) {
            // Nothing read whole, and the descriptor handed over is the file's.
            EXPECT_FALSE(library.loadedBytes.has_value());
            struct stat given {
            }, named{};
            ASSERT_EQ(::fstat(library.streamedFd, &given), 0);
            ASSERT_EQ(::stat(path.c_str(), &named), 0);
            EXPECT_EQ(given.st_ino, named.st_ino);
        } else {
            EXPECT_EQ(library.loadedBytes, c.file.size());
        }
    }
    std::remove(path.c_str());
}

}
