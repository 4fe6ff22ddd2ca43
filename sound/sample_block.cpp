#include "sound/sample_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace {

constexpr std::size_t pageSize = 4096;

std::size_t roundUpToPages(std::size_t bytes) {
    return (bytes + pageSize - 1) / pageSize * pageSize;
}

}

SampleBlock::~SampleBlock() {
    release();
}

SampleBlock::SampleBlock(SampleBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

SampleBlock& SampleBlock::operator=(SampleBlock&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

void SampleBlock::release() {
    if (data_ != nullptr) ::munmap(data_, capacity_);
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
}

int SampleBlock::readAtMost(int fd, std::size_t count) {
    release();
    if (count == 0) return 0;
    const std::size_t capacity = roundUpToPages(count);
    void* memory = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (memory == MAP_FAILED) return ENOMEM;
    data_ = static_cast<std::uint8_t*>(memory);
    capacity_ = capacity;
    while (size_ < count) {
        const ssize_t got = ::read(fd, data_ + size_, count - size_);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            release();
            return error;
        }
        size_ += static_cast<std::size_t>(got);
    }
    return 0;
}
