#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audiotest {

// A file that lives in memory only, holding the bytes and positioned at its start, as the sound
// module would find a file it opens. The caller closes it.
inline int memoryFile(const std::vector<std::uint8_t>& bytes) {
    const int fd = ::memfd_create("quorvel-sound-test", MFD_CLOEXEC);
    EXPECT_GE(fd, 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        EXPECT_GT(put, 0);
        if (put <= 0) break;
        done += static_cast<std::size_t>(put);
    }
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

}
