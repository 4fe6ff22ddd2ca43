#include "sound/sound_module.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../storage/ordinary_user.h"
#include "audio_env.h"
#include "sound/ds.h"
#include "wav_bytes.h"

namespace {

namespace fs = std::filesystem;

constexpr int effectFlags = 3;
constexpr int musicFlags = 1;
const std::string noDeviceText = "Direct Soundインターフェースが作成できません。";

void writeFile(const fs::path& path, const wavtest::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Runs the test in a fresh empty folder, as the game runs in the folder holding its sounds.
class SoundModuleInFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        audiotest::useSilentAudioDriver();
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "quorvel-sound-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        folder_ = pattern;
        fs::current_path(folder_);
    }
    void TearDown() override {
        sound.終了_サウンド();
        fs::current_path(previous_);
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, ignored);
        for (const auto& entry : fs::directory_iterator(folder_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, ignored);
        }
        fs::remove_all(folder_, ignored);
    }

    std::vector<std::string> warnings;
    SoundModule sound{[this](const std::string& text) { warnings.push_back(text); }};

  private:
    fs::path previous_;
    fs::path folder_;
};

struct LoadCase {
    std::string description;
    std::string fileName;
    std::function<void(const std::string& fileName)> prepare;
    bool loads;
    std::vector<std::string> expectedWarnings;
};

std::vector<LoadCase> loadCases() {
    const std::string isDirectory = std::strerror(EISDIR);
    return {
        {"valid file",
         "BGM.wav",
         [](const std::string& name) { writeFile(name, wavtest::toneWav(0.2, 2)); },
         true,
         {}},
        {"valid file with a Japanese name",
         "駒打音.wav",
         [](const std::string& name) { writeFile(name, wavtest::toneWav(0.1)); },
         true,
         {}},
        {"missing file", "磁石音.wav", [](const std::string&) {}, false, {}},
        {"empty file",
         "その他.wav",
         [](const std::string& name) { writeFile(name, std::string()); },
         false,
         {"ファイルが空です: その他.wav"}},
        {"folder in place of the file",
         "禁止.wav",
         [](const std::string& name) { fs::create_directory(name); },
         false,
         {isDirectory + ": 禁止.wav"}},
        {"readable but not a sound",
         "禁止.wav",
         [](const std::string& name) { writeFile(name, std::string("RIFF....WAVEjunk")); },
         false,
         {}},
        {"readable but in a refused format",
         "BGM.wav",
         [](const std::string& name) {
             wavtest::Format floats;
             floats.formatTag = 3;
             floats.bitsPerSample = 16;
             writeFile(name,
                       wavtest::RiffBuilder().fmt(floats).data(wavtest::toneSamples(0.01)).build());
         },
         false,
         {}},
    };
}

TEST_F(SoundModuleInFolder, LoadsByBareNameAndWarnsOnlyOnReadErrors) {
    sound.初期化_サウンド(0);
    ASSERT_NE(sound.soundDevice(), 0);
    ASSERT_TRUE(warnings.empty());
    for (const LoadCase& c : loadCases()) {
        SCOPED_TRACE(c.description);
        std::error_code ignored;
        fs::remove_all(c.fileName, ignored);
        c.prepare(c.fileName);
        warnings.clear();

        const int buffer = sound.読込_WAVファイル(c.fileName, effectFlags);
        EXPECT_EQ(buffer != 0, c.loads);
        EXPECT_EQ(warnings, c.expectedWarnings);
        if (c.loads) {
            EXPECT_EQ(dsPlay(buffer), 1);
        }
    }
}

// Run as 'nobody' when the tests run as root, whom permission bits would not stop.
TEST_F(SoundModuleInFolder, UnreadableFileWarnsWithTheSystemText) {
    writeFile("BGM.wav", wavtest::toneWav(0.1));
    fs::permissions("BGM.wav", fs::perms::none);
    fs::permissions(".", fs::perms(0755));  // the folder stays open to the other user
    const std::vector<std::string> expected{std::string(std::strerror(EACCES)) + ": BGM.wav"};
    const int status = quorvel::testing::runInChild([&] {
        quorvel::testing::becomeOrdinaryUser();
        sound.初期化_サウンド(0);
        return sound.読込_WAVファイル("BGM.wav", musicFlags) == 0 && warnings == expected;
    });
    if (status == quorvel::testing::kNoOrdinaryUser) {
        GTEST_SKIP() << quorvel::testing::kNoOrdinaryUserReason;
    }
    EXPECT_EQ(status, 0) << "expected one warning: " << expected.front();
}

// Without a device nothing loads and nothing more is said: not initialised at all, or
// initialised where there is no sound system, which warns once.
TEST_F(SoundModuleInFolder, WithoutADeviceNothingLoadsAndOnlyAMissingSystemWarns) {
    writeFile("BGM.wav", wavtest::toneWav(0.1));
    writeFile("その他.wav", std::string());
    for (const bool initialise : {false, true}) {
        if (initialise) {
            audiotest::ScopedAudioDriver missing("quorvel_no_such_driver");
            sound.初期化_サウンド(0);
        }
        EXPECT_EQ(sound.soundDevice(), 0);
        EXPECT_EQ(sound.読込_WAVファイル("BGM.wav", musicFlags), 0);
        EXPECT_EQ(sound.読込_WAVファイル("その他.wav", effectFlags), 0);
        sound.終了_サウンド();
        EXPECT_EQ(warnings,
                  initialise ? std::vector<std::string>{noDeviceText} : std::vector<std::string>{});
    }
}

TEST_F(SoundModuleInFolder, ShutdownReleasesTheBuffersAndMayBeRepeated) {
    writeFile("BGM.wav", wavtest::toneWav(0.5, 2));
    sound.初期化_サウンド(0);
    const int music = sound.読込_WAVファイル("BGM.wav", musicFlags);
    ASSERT_NE(music, 0);
    ASSERT_EQ(dsPlayLooping(music), 1);

    sound.終了_サウンド();
    EXPECT_EQ(sound.soundDevice(), 0);
    EXPECT_FALSE(dsIsPlaying(music));
    EXPECT_EQ(dsPlay(music), 0);
    EXPECT_EQ(sound.読込_WAVファイル("BGM.wav", musicFlags), 0);
    sound.終了_サウンド();

    // And the module starts again.
    sound.初期化_サウンド(0);
    EXPECT_NE(sound.読込_WAVファイル("BGM.wav", musicFlags), 0);
    EXPECT_TRUE(warnings.empty());
}

TEST(SoundModuleWarning, PassesTheTextUnchanged) {
    std::vector<std::string> received;
    SoundModule sound([&](const std::string& text) { received.push_back(text); });
    sound.表示_サウンドエラー(noDeviceText);
    sound.表示_サウンドエラー("");
    EXPECT_EQ(received, (std::vector<std::string>{noDeviceText, ""}));

    SoundModule silent(nullptr);
    silent.表示_サウンドエラー("nobody listens");  // must not throw bad_function_call
}

}
