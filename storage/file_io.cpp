#include "storage/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>

namespace quorvel::file_io {

namespace {

// Removes the temporary file on every path that does not end in a successful rename.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        fd_.reset();
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates a new file named after the target plus ".tmp-" and six random characters, in
    // the target's directory (a rename only replaces atomically within one file system).
    // The mode is the one a newly created file gets, so the user's umask applies.
    bool create(const std::filesystem::path& target) {
        static constexpr char kAlphabet[] =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string suffix = ".tmp-";
            for (int i = 0; i < 6; ++i)
                suffix += kAlphabet[pick(random)];
            std::filesystem::path candidate = target;
            candidate += suffix;
            const int fd = ::open(candidate.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd >= 0) {
                fd_.reset(fd);
                path_ = std::move(candidate);
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    int fd() const { return fd_.get(); }
    bool close() { return fd_.close(); }
    const std::filesystem::path& path() const { return path_; }
    // The file now lives under another name: nothing to remove any more.
    void release() { path_.clear(); }

  private:
    FileDescriptor fd_;
    std::filesystem::path path_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable. Best effort: by then the new file is in place.
void syncDirectory(const std::filesystem::path& directory) {
    FileDescriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

}

void FileDescriptor::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

bool FileDescriptor::close() {
    const int fd = std::exchange(fd_, -1);
    return fd >= 0 && ::close(fd) == 0;
}

FileDescriptor openRegularFile(const std::filesystem::path& file) {
    // O_NONBLOCK keeps a FIFO of that name from stalling the open; such files are refused below.
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return fd;
    struct stat info;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) fd.reset();
    return fd;
}

std::variant<std::string, ReadFailure> readSmallFile(const std::filesystem::path& file,
                                                     std::size_t maxBytes) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) return ReadFailure::CannotOpen;
    struct stat info;
    if (::fstat(fd.get(), &info) != 0) return ReadFailure::ReadError;
    if (!S_ISREG(info.st_mode)) return ReadFailure::NotRegular;
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    if (size > maxBytes) return ReadFailure::TooLarge;

    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t part = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (part < 0) {
            if (errno == EINTR) continue;
            return ReadFailure::ReadError;
        }
        if (part == 0) break;
        got += static_cast<std::size_t>(part);
    }
    // A file that shrank meanwhile gives what it still held.
    bytes.resize(got);
    return bytes;
}

bool replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    struct stat old;
    const bool hadFile = ::stat(file.c_str(), &old) == 0;
    if (hadFile && !S_ISREG(old.st_mode)) return false;
    if (!hadFile && errno != ENOENT) return false;

    std::filesystem::path directory = file.parent_path();
    if (directory.empty()) directory = ".";

    TemporaryFile temp;
    if (!temp.create(file)) return false;
    if (hadFile && ::fchmod(temp.fd(), old.st_mode & 07777) != 0) return false;
    if (!writeAll(temp.fd(), bytes)) return false;
    if (::fsync(temp.fd()) != 0) return false;
    if (!temp.close()) return false;
    if (::rename(temp.path().c_str(), file.c_str()) != 0) return false;
    temp.release();
    syncDirectory(directory);
    return true;
}

}
