#pragma once

#include <cstddef>
#include <cstdint>

// The bytes of a sound file, read into memory of their own. The memory is an anonymous mapping
// whose pages are all faulted in when it is made: one pass through the kernel instead of one
// fault per page, which was most of the time spent loading the seven-megabyte music at start.
// Move-only; the memory goes with the block.
class SampleBlock {
  public:
    SampleBlock() = default;
    ~SampleBlock();
    SampleBlock(SampleBlock&& other) noexcept;
    SampleBlock& operator=(SampleBlock&& other) noexcept;
    SampleBlock(const SampleBlock&) = delete;
    SampleBlock& operator=(const SampleBlock&) = delete;

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Replaces the contents with at most count bytes read from the descriptor, fewer if it ends
    // first. The memory for count bytes is made at once, so count must be known to be sane (the
    // size of a regular file at its open, within the caller's bound). Returns 0, or the errno of
    // the failure (ENOMEM without memory), in which case the block is left empty.
    int readAtMost(int fd, std::size_t count);

  private:
    void release();

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
