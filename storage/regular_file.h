#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quorvel {

// Opening a file the game reads by name (a sound, the settings file, a game record) when that
// name may stand for anything at all: a FIFO nobody writes to, a device that never ends, a
// directory, a socket, a link loop, a huge sparse file, a file still growing.
//
//  - Symbolic links are followed; what they lead to must be a regular file.
//  - Anything else is refused with an error number: EISDIR for a directory, EINVAL for a FIFO,
//    socket or device. Such a name is looked at (stat) before it is opened, so a device or a
//    FIFO is never opened at all; the open itself is non-blocking and checked again, so one put
//    in place between the look and the open cannot stall the game either.
//  - ENOENT means there is no such file (or a link that leads nowhere); ELOOP a link loop.
//  - The size is taken at the open; readers read at most that many bytes, so a file that grows
//    while it is read is cut at the size it had.
//
// Move-only; the descriptor is closed with the object.
class RegularFile {
  public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Opens the file for reading; returns 0, or the error number of the refusal or failure.
    int open(const std::filesystem::path& path);

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // The file's size when it was opened.
    std::size_t sizeAtOpen() const { return size_; }

    // Reads into buffer until count bytes are read or the file ends. Returns the number of bytes
    // read, or -1 with errno set.
    long readSome(void* buffer, std::size_t count);

  private:
    void close();

    int fd_ = -1;
    std::size_t size_ = 0;
};

// Reads a whole regular file of at most maxBytes bytes into out (RegularFile's rules). Returns 0,
// or an error number: EFBIG when the file was larger than maxBytes when it was opened. A file
// that shrinks while it is read gives what was there.
int readRegularFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& out);

}
