#include "sound/sound_module.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <system_error>
#include <utility>

#include "sound/ds.h"
#include "sound/sample_block.h"

namespace {

// The sound library takes files up to 2 GiB; reading stops with EFBIG past that, so a device
// or a FIFO that never ends cannot fill the memory.
constexpr std::size_t largestSoundFile = std::size_t{1} << 31;

// The system's own wording for an error number, in the current locale.
std::string describeError(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

// Closes the descriptor when the read is over, whichever way it ends.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

}

SoundModule::SoundModule(WarningSink warn) : warn_(std::move(warn)) {}

void SoundModule::初期化_サウンド(long windowHandle) {
    soundDevice_ = dsInitialize(windowHandle);
    if (soundDevice_ == 0) 表示_サウンドエラー("Direct Soundインターフェースが作成できません。");
}

// Failures other than a missing file are reported with the system's description of the error.
// A file that is read but is not a well-formed PCM .wav is left unloaded without a warning:
// the game simply plays nothing for it, as when the file is missing.
int SoundModule::読込_WAVファイル(const std::string& fileName, int flags) {
    if (soundDevice_ == 0) return 0;

    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        const int error = errno;
        if (error != ENOENT) 表示_サウンドエラー(describeError(error) + ": " + fileName);
        return 0;
    }

    struct stat info {};
    const bool regular = ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);
    SampleBlock block;
    const int error = block.readToEnd(
        file.get(), regular ? static_cast<std::size_t>(info.st_size) : 0, largestSoundFile);
    if (error != 0) {
        表示_サウンドエラー(describeError(error) + ": " + fileName);
        return 0;
    }
    if (block.empty()) {
        表示_サウンドエラー("ファイルが空です: " + fileName);
        return 0;
    }
    // The library takes the block: it plays the samples where they lie when it can.
    return dsCreateDSBFromBlock(soundDevice_, std::move(block), flags);
}

void SoundModule::終了_サウンド() {
    if (soundDevice_ == 0) return;
    dsTerminate(soundDevice_);
    soundDevice_ = 0;
}

void SoundModule::表示_サウンドエラー(const std::string& text) {
    if (warn_) warn_(text);
}
