#include "sound/sample_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace {

constexpr std::size_t pageSize = 4096;
constexpr std::size_t smallestCapacity = 64 * 1024;

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

bool SampleBlock::grow(std::size_t capacity) {
    capacity = roundUpToPages(capacity);
    void* memory = nullptr;
    if (data_ == nullptr) {
        memory = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    } else {
        // Only a file longer than its size said gets here; its new pages fault in one by one.
        memory = ::mremap(data_, capacity_, capacity, MREMAP_MAYMOVE);
    }
    if (memory == MAP_FAILED) return false;
    data_ = static_cast<std::uint8_t*>(memory);
    capacity_ = capacity;
    return true;
}

int SampleBlock::readToEnd(int fd, std::size_t expectedSize, std::size_t maxSize) {
    release();
    // One byte more than expected, so the read that finds the end needs no more room.
    std::size_t first = expectedSize < smallestCapacity ? smallestCapacity : expectedSize + 1;
    if (first > maxSize + 1) first = maxSize + 1;
    if (!grow(first)) return ENOMEM;
    for (;;) {
        if (size_ > maxSize) {
            release();
            return EFBIG;
        }
        if (size_ == capacity_ && !grow(capacity_ * 2)) {
            release();
            return ENOMEM;
        }
        const ssize_t got = ::read(fd, data_ + size_, capacity_ - size_);
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            release();
            return error;
        }
        size_ += static_cast<std::size_t>(got);
    }
}
