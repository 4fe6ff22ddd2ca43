// The sound library loaded at run time, as the program uses it: this test program links no SDL.

#include "sound/sound_loader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio_env.h"
#include "sound/sound_module.h"

namespace {

constexpr int effectFlags = 3;
constexpr int musicFlags = 1;
const std::string module = QUORVEL_SOUND_MODULE;
const std::string runDir = QUORVEL_RUN_DIR;
const std::string noDeviceText = "Direct Soundインターフェースが作成できません。";

TEST(SoundModuleFiles, BesideTheProgramThenTheInstalledFolderAndOnlyFromAnAbsolutePath) {
    struct Case {
        std::string program;
        std::string installed;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"/usr/libexec/quorvel/quorvel",
         "../../lib/quorvel",
         {"/usr/libexec/quorvel/m.so", "/usr/libexec/quorvel/../../lib/quorvel/m.so"}},
        {"/quorvel", "", {"/m.so"}},
        {"", "../lib", {}},
        {"quorvel", "../lib", {}},
        {"run/quorvel", "../lib", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(soundModuleFiles(c.program, "m.so", c.installed), c.expected) << c.program;
    }
    EXPECT_EQ(programPath().front(), '/');
    EXPECT_NE(programPath().find("quorvel_sound_loader_tests"), std::string::npos);
}

// Without a module that loads every call is harmless, as without an audio device, and a
// descriptor handed over is still closed.
TEST(SoundLoader, WithoutAModuleThereIsNoSoundSystem) {
    const std::string notAModule = ::testing::TempDir() + "not_a_module.so";
    std::ofstream(notAModule) << "text, not a library\n";
    const std::vector<std::vector<std::string>> candidates = {
        {},
        {runDir + "/no_such_module.so"},
        {notAModule},
        {notAModule, runDir + "/no_such_module.so"},
    };
    for (const auto& files : candidates) {
        SoundLoader loader(files);
        std::vector<std::string> warnings;
        SoundModule sound([&](const std::string& text) { warnings.push_back(text); }, loader);
        sound.初期化_サウンド(0);
        EXPECT_EQ(sound.soundDevice(), 0);
        EXPECT_EQ(warnings, std::vector<std::string>{noDeviceText});

        const int fd = ::open(module.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        EXPECT_EQ(loader.createFromFile(1, SampleBlock(), fd, musicFlags), 0);
        EXPECT_EQ(::fcntl(fd, F_GETFD), -1) << "the descriptor was left open";
        EXPECT_EQ(loader.play(1), 0);
        EXPECT_EQ(loader.playLooping(1), 0);
        EXPECT_EQ(loader.stop(1), 0);
        EXPECT_FALSE(loader.isPlaying(1));
        loader.free(1);
        loader.terminate(1);
    }
    std::remove(notAModule.c_str());
}

// The first file that loads is used; through it the sounds load and play, and after a shutdown
// the device opens again.
// Without CAP_SYS_NICE in the effective set of this thread (and so of the threads it starts), as
// for an ordinary user: SDL then cannot raise its mixing thread above the priority it inherits.
class WithoutRaisingPriorities {
  public:
    WithoutRaisingPriorities() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[CAP_TO_INDEX(CAP_SYS_NICE)].effective &= ~CAP_TO_MASK(CAP_SYS_NICE);
        dropped_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutRaisingPriorities() {
        if (dropped_) syscall(SYS_capset, &header_, saved_);
    }
    WithoutRaisingPriorities(const WithoutRaisingPriorities&) = delete;
    WithoutRaisingPriorities& operator=(const WithoutRaisingPriorities&) = delete;

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

TEST(SoundLoader, TheModuleOpensTheDeviceAndPlays) {
    audiotest::useSilentAudioDriver();
    const WithoutRaisingPriorities ordinaryUser;
    SoundLoader loader({runDir + "/no_such_module.so", module});
    std::vector<std::string> warnings;
    SoundModule sound([&](const std::string& text) { warnings.push_back(text); }, loader);
    const std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(runDir);

    sound.初期化_サウンド(0);
    ASSERT_NE(sound.soundDevice(), 0);
    const int effect = sound.読込_WAVファイル("駒打音.wav", effectFlags);
    const int music = sound.読込_WAVファイル("BGM.wav", musicFlags);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(warnings.empty());
    ASSERT_NE(effect, 0);
    ASSERT_NE(music, 0);
    EXPECT_EQ(loader.play(effect), 1);
    EXPECT_EQ(loader.playLooping(music), 1);
    EXPECT_TRUE(loader.isPlaying(music));
    // The module was loaded at a lower priority, but the mixing thread plays at the program's
    // (or above it, where SDL may raise it).
    const int niceness = getpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()));
    int threads = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        const auto tid = static_cast<id_t>(std::stoul(task.path().filename().string()));
        EXPECT_LE(getpriority(PRIO_PROCESS, tid), niceness) << "thread " << tid;
        ++threads;
    }
    EXPECT_GE(threads, 2) << "the mixing thread";
    EXPECT_EQ(loader.stop(music), 1);
    EXPECT_FALSE(loader.isPlaying(music));

    sound.終了_サウンド();
    EXPECT_EQ(loader.play(effect), 0);
    sound.初期化_サウンド(0);
    EXPECT_NE(sound.soundDevice(), 0);
    sound.終了_サウンド();
}

// A module that loads but finds no audio device is no sound system either.
TEST(SoundLoader, AModuleWithoutADeviceWarns) {
    const audiotest::ScopedAudioDriver missing("no-such-driver");
    SoundLoader loader({module});
    std::vector<std::string> warnings;
    SoundModule sound([&](const std::string& text) { warnings.push_back(text); }, loader);
    sound.初期化_サウンド(0);
    EXPECT_EQ(sound.soundDevice(), 0);
    EXPECT_EQ(warnings, std::vector<std::string>{noDeviceText});
}

}
