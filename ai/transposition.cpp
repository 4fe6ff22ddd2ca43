#include "ai/transposition.h"

#include <sys/mman.h>

#include <algorithm>
#include <new>

namespace quorvel::engine {

namespace {

// A table of several megabytes is probed all over at every position: in pages of 2 MB (where
// the system grants them) its addresses need far fewer translations than in pages of 4 KB.
constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;

TableEntry* allocateEntries(std::size_t count) {
    const std::size_t bytes = count * sizeof(TableEntry);
    const bool large = bytes >= LARGE_PAGE;
    void* p = large ? std::aligned_alloc(LARGE_PAGE, bytes) : std::malloc(bytes);
    if (p == nullptr) throw std::bad_alloc();
    if (large) madvise(p, bytes, MADV_HUGEPAGE);  // only a hint: small pages work too
    auto* entries = static_cast<TableEntry*>(p);
    std::uninitialized_value_construct_n(entries, count);
    return entries;
}

}

TranspositionTable::TranspositionTable(int log2Entries)
    : entries_(allocateEntries(std::size_t{1} << log2Entries)),
      size_(std::size_t{1} << log2Entries),
      mask_((std::uint64_t{1} << log2Entries) - 1) {}

void TranspositionTable::newSearch() {
    ++generation_;
    // After the generation counter wraps, entries of a long-past search could look current.
    if (generation_ == 0) {
        std::fill_n(entries_.get(), size_, TableEntry{});
        generation_ = 1;
    }
}

const TableEntry* TranspositionTable::find(std::uint64_t key) const {
    const TableEntry& e = entries_[key & mask_];
    return e.generation == generation_ && e.key == key ? &e : nullptr;
}

void TranspositionTable::store(std::uint64_t key, int score, int depth, Bound bound, int move) {
    TableEntry& e = entries_[key & mask_];
    e.key = key;
    e.score = static_cast<std::int16_t>(score);
    e.depth = static_cast<std::int8_t>(depth);
    e.bound = bound;
    e.move = static_cast<std::uint8_t>(move);
    e.generation = generation_;
}

}
