#include "storage/file_io.h"

#include "storage/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

WriteFailure failureOf(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return WriteFailure::NoPermission;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return WriteFailure::NoRoom;
        case ENOENT:
        case ENOTDIR:
            return WriteFailure::NoFolder;
        case EISDIR:
            return WriteFailure::NotRegular;
        default:
            return WriteFailure::WriteError;
    }
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

std::variant<std::string, ReadFailure> readSmallFile(const std::filesystem::path& file,
                                                     std::size_t maxBytes) {
    std::string bytes;
    switch (readRegularFile(file, maxBytes, bytes)) {
        case 0:
            return bytes;
        case EFBIG:
            return ReadFailure::TooLarge;
        case EISDIR:
        case EINVAL:
            return ReadFailure::NotRegular;
        case ENOENT:
        case EACCES:
        case ELOOP:
        case ENAMETOOLONG:
        case ENOTDIR:
            return ReadFailure::CannotOpen;
        default:
            return ReadFailure::ReadError;
    }
}

std::optional<WriteFailure> replaceFileAtomically(const std::filesystem::path& file,
                                                  std::string_view bytes) {
    struct stat old;
    const bool hadFile = ::stat(file.c_str(), &old) == 0;
    if (hadFile && !S_ISREG(old.st_mode)) return WriteFailure::NotRegular;
    if (!hadFile && errno != ENOENT) return failureOf(errno);

    std::filesystem::path directory = file.parent_path();
    if (directory.empty()) directory = ".";

    // Each failure is named from errno before the temporary file is removed, which may set it.
    TemporaryFile temp;
    if (!temp.create(file)) return failureOf(errno);
    if (hadFile && ::fchmod(temp.fd(), old.st_mode & 07777) != 0) return failureOf(errno);
    if (!writeAll(temp.fd(), bytes)) return failureOf(errno);
    if (::fsync(temp.fd()) != 0) return failureOf(errno);
    if (!temp.close()) return failureOf(errno);
    if (::rename(temp.path().c_str(), file.c_str()) != 0) return failureOf(errno);
    temp.release();
    syncDirectory(directory);
    return std::nullopt;
}

}
