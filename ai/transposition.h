#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace quorvel::engine {

enum class Bound : std::uint8_t { None, Lower, Upper, Exact };

struct TableEntry {
    std::uint64_t key = 0;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    Bound bound = Bound::None;
    std::uint8_t move = 0;
    std::uint8_t generation = 0;
};

// A hash table of searched positions, always replacing. Each search starts a new generation,
// and entries of older generations count as empty: what one search leaves behind never
// changes another's result.
class TranspositionTable {
  public:
    explicit TranspositionTable(int log2Entries);

    void newSearch();
    // The entry of key, or nullptr.
    const TableEntry* find(std::uint64_t key) const;
    void store(std::uint64_t key, int score, int depth, Bound bound, int move);
    // Starts loading the entry of key into the cache, for a find soon after.
    void prefetch(std::uint64_t key) const { __builtin_prefetch(&entries_[key & mask_]); }

  private:
    struct Free {
        void operator()(TableEntry* p) const { std::free(p); }
    };
    std::unique_ptr<TableEntry[], Free> entries_;
    std::size_t size_;
    std::uint64_t mask_;
    std::uint8_t generation_ = 0;
};

}
