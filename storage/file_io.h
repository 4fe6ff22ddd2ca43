#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

// Small POSIX file helpers shared by the settings file and the game records.
namespace quorvel::file_io {

// Owns one file descriptor and closes it when it goes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) reset(std::exchange(other.fd_, -1));
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1);
    // Closes the descriptor, reporting whether the close went well (it can reveal a failed
    // delayed write).
    bool close();

  private:
    int fd_;
};

// Why readSmallFile gave no bytes.
enum class ReadFailure {
    CannotOpen,  // missing, no rights
    NotRegular,  // a directory, FIFO, device or socket
    TooLarge,    // more than the allowed bytes
    ReadError,   // the read itself failed
};

// Reads a whole regular file of at most maxBytes bytes by RegularFile's rules (regular_file.h):
// it never blocks and never reads more than the size the file had when opened.
std::variant<std::string, ReadFailure> readSmallFile(const std::filesystem::path& file,
                                                     std::size_t maxBytes);

// Why replaceFileAtomically wrote nothing.
enum class WriteFailure {
    NotRegular,    // the target is a directory, FIFO, device or socket
    NoPermission,  // the folder or the file system does not allow it
    NoRoom,        // the disk, the quota or the file size limit is full
    NoFolder,      // the folder does not exist
    WriteError,    // any other failure of the write itself
};

// Replaces the file atomically by one holding the bytes: a new file is written beside it,
// flushed to disk and renamed over it, so a failed write leaves the previous file as it was and
// no temporary file behind. A target that exists but is not a regular file is left alone and
// the write fails; a read-only target in a writable directory is replaced, keeping its
// permission bits; a symbolic link named like the target is replaced by a regular file.
// Returns nothing on success, else why it failed.
std::optional<WriteFailure> replaceFileAtomically(const std::filesystem::path& file,
                                                  std::string_view bytes);

}
