#include "ai/transposition.h"

#include <algorithm>

namespace quorvel::engine {

TranspositionTable::TranspositionTable(int log2Entries)
    : entries_(std::size_t{1} << log2Entries), mask_((std::uint64_t{1} << log2Entries) - 1) {}

void TranspositionTable::newSearch() {
    ++generation_;
    // After the generation counter wraps, entries of a long-past search could look current.
    if (generation_ == 0) {
        std::fill(entries_.begin(), entries_.end(), TableEntry{});
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
