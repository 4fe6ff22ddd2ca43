#include "sound/sound_module.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>

#include "sound/sample_block.h"
#include "storage/regular_file.h"

namespace {

// No sound the game plays comes near this; a larger file is refused unread, so a huge or sparse
// file cannot fill the memory.
constexpr std::size_t largestSoundFile = std::size_t{64} << 20;

constexpr int musicFlags = 1;

// A well-formed file has a few chunks; past this many small reads a file is read whole instead.
constexpr int mostHeaderReads = 64;

// The layout of a .wav file, found from its headers alone by a few small reads.
std::optional<WavLayout> inspectFileHeaders(int fd, std::uint64_t size) {
    int reads = 0;
    const WavReader fromFile = [&](std::uint64_t offset, std::size_t count, std::uint8_t* out) {
        if (++reads > mostHeaderReads) return false;
        const ssize_t got = ::pread(fd, out, count, static_cast<off_t>(offset));
        return got == static_cast<ssize_t>(count);
    };
    return inspectWavHeaders(fromFile, size);
}

// The system's own wording for an error number, in the current locale.
std::string describeError(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

}

SoundModule::SoundModule(WarningSink warn, SoundLibrary& library)
    : warn_(std::move(warn)), library_(library) {}

void SoundModule::初期化_サウンド(long windowHandle) {
    soundDevice_ = library_.initialize(windowHandle);
    if (soundDevice_ == 0) 表示_サウンドエラー("Direct Soundインターフェースが作成できません。");
}

// Failures other than a missing file are reported with the system's description of the error.
// A file that is read but is not a well-formed PCM .wav is left unloaded without a warning:
// the game simply plays nothing for it, as when the file is missing.
int SoundModule::読込_WAVファイル(const std::string& fileName, int flags) {
    if (soundDevice_ == 0) return 0;

    // Only a regular file is read (links are followed), never a FIFO, device or directory, and
    // at most the size it had when opened.
    quorvel::RegularFile file;
    if (const int error = file.open(fileName); error != 0) {
        if (error != ENOENT) 表示_サウンドエラー(describeError(error) + ": " + fileName);
        return 0;
    }
    if (file.sizeAtOpen() > largestSoundFile) {
        表示_サウンドエラー(describeError(EFBIG) + ": " + fileName);
        return 0;
    }
    if (flags == musicFlags) {
        if (const int handle = streamFromFile(file.fd(), file.sizeAtOpen())) return handle;
    }
    SampleBlock block;
    if (const int error = block.readAtMost(file.fd(), file.sizeAtOpen()); error != 0) {
        表示_サウンドエラー(describeError(error) + ": " + fileName);
        return 0;
    }
    if (block.empty()) {
        表示_サウンドエラー("ファイルが空です: " + fileName);
        return 0;
    }
    // The library takes the block, and a descriptor of the file: it plays the music straight
    // from the file, and other samples where they lie in the block when it can.
    return library_.createFromFile(soundDevice_, std::move(block),
                                   ::fcntl(file.fd(), F_DUPFD_CLOEXEC, 0), flags);
}

// Music plays straight from its file when the library can: then only the headers are read, not
// the megabytes of samples. 0 when it cannot (or the headers are not those of a well-formed
// file); the file is then read whole and loaded as any other sound, with the same checks.
int SoundModule::streamFromFile(int fd, std::uint64_t size) {
    const std::optional<WavLayout> layout = inspectFileHeaders(fd, size);
    if (!layout) return 0;
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) return 0;
    const int handle = library_.createStreamed(soundDevice_, *layout, own);
    if (handle == 0) ::close(own);
    return handle;
}

void SoundModule::終了_サウンド() {
    if (soundDevice_ == 0) return;
    library_.terminate(soundDevice_);
    soundDevice_ = 0;
}

void SoundModule::表示_サウンドエラー(const std::string& text) {
    if (warn_) warn_(text);
}
