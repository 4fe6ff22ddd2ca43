#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> gCounting{false};
std::atomic<std::size_t> gBytes{0};

void* allocate(std::size_t size) {
    if (gCounting.load(std::memory_order_relaxed)) {
        gBytes.fetch_add(size, std::memory_order_relaxed);
    }
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

}

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

namespace quorvel::test {

AllocationCounter::AllocationCounter() {
    gBytes.store(0);
    gCounting.store(true);
}

AllocationCounter::~AllocationCounter() {
    gCounting.store(false);
}

std::size_t AllocationCounter::bytes() const {
    return gBytes.load();
}

}
