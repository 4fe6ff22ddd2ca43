#include "storage/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace quorvel {

namespace {

// The refusal for what is not a regular file.
int refusalFor(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : EINVAL;
}

}

RegularFile::~RegularFile() {
    close();
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(std::exchange(other.size_, 0)) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void RegularFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

int RegularFile::open(const std::filesystem::path& path) {
    close();
    struct stat before {};
    if (::stat(path.c_str(), &before) != 0) return errno;
    if (!S_ISREG(before.st_mode)) return refusalFor(before.st_mode);

    // O_NONBLOCK: a FIFO swapped in after the look above opens at once instead of waiting for
    // a writer, and is refused below. On a regular file it changes nothing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return refusalFor(info.st_mode);
    }
    fd_ = fd;
    size_ = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    return 0;
}

long RegularFile::readSome(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd_, bytes + done, count - done);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long>(done);
}

int readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& out) {
    out.clear();
    RegularFile file;
    if (const int error = file.open(path); error != 0) return error;
    if (file.sizeAtOpen() > maxBytes) return EFBIG;
    std::string bytes(file.sizeAtOpen(), '\0');
    const long got = file.readSome(bytes.data(), bytes.size());
    if (got < 0) return errno;
    bytes.resize(static_cast<std::size_t>(got));
    out = std::move(bytes);
    return 0;
}

}
