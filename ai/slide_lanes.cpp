#include "ai/slide_lanes.h"

#include <array>
#include <cstring>

#include "ai/position.h"

namespace quorvel::engine {

namespace {

// Sixteen cells side by side. A column of the board, loaded from its row 0, holds row y in
// lane y; the nine lines of a slide are then worked on together, one lane each.
using Lanes = std::int8_t __attribute__((vector_size(16)));
using Block = std::array<Lanes, 16>;

// Lanes 1 to 9: the board squares of a column (lane 0 and 10 are walls, 11 to 15 belong to the
// next column).
constexpr Lanes SQUARE_LANES{0, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0};
// Walls in every lane but the board squares'.
constexpr Lanes OTHER_LANES{WALL, 0, 0, 0, 0, 0, 0, 0, 0, 0, WALL, WALL, WALL, WALL, WALL, WALL};

Lanes loadColumn(const std::int8_t* cells, int x) {
    Lanes v;
    std::memcpy(&v, cells + cellOf(x, 0), sizeof v);
    return v;
}

// Stores the board squares of `v` into column x, with walls in its lanes 0 and 10. Lanes 11 to
// 15 write walls over the next column's first squares: columns are stored from left to right,
// so the next store puts that column's squares back, and after column 9 they fall on the walls
// of column 10. Nothing of the old column has to be kept meanwhile.
void storeColumn(std::int8_t* cells, int x, Lanes v) {
    const Lanes merged = (v & SQUARE_LANES) | OTHER_LANES;
    std::memcpy(cells + cellOf(x, 0), &merged, sizeof merged);
}

// Lane x of row y of the result is lane y of row x of `a`: four rounds of interleaving the
// first eight rows with the last eight.
Block transpose(Block a) {
    Block b;
    for (int round = 0; round < 4; ++round) {
        for (int k = 0; k < 8; ++k) {
            b[2 * k] = __builtin_shufflevector(a[k], a[k + 8], 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5,
                                               21, 6, 22, 7, 23);
            b[2 * k + 1] = __builtin_shufflevector(a[k], a[k + 8], 8, 24, 9, 25, 10, 26, 11, 27, 12,
                                                   28, 13, 29, 14, 30, 15, 31);
        }
        a = b;
    }
    return a;
}

// The lines run across the nine vectors of `line`, lane by lane, from the one by the magnet
// (line[0]) away from it. In each lane the pieces pack toward line[0] in their order; the
// prince stays and the pieces after it pack against it.
std::array<Lanes, boardSize> pack(const std::array<Lanes, boardSize>& line) {
    std::array<Lanes, boardSize> packed{};
    Lanes next{};  // in each lane, the index the next piece goes to
#pragma GCC unroll 9
    for (int i = 0; i < boardSize; ++i) {
        const Lanes c = line[i];
        next = c == PRINCE_CELL ? Lanes{} + static_cast<std::int8_t>(i) : next;
        // Every index up to i is still empty where next points to it.
#pragma GCC unroll 9
        for (int j = 0; j <= i; ++j)
            packed[j] |= (next == static_cast<std::int8_t>(j)) & c;
        next -= (c != 0);  // a comparison is -1 where true
    }
    return packed;
}

// Rows and columns of the slide: a sideways slide packs along rows, so the vectors are the
// columns themselves; an up or down slide packs along columns, so the block of columns is
// turned into rows first and back afterwards. The lines run from the column (or row) `first`
// by the magnet in steps of `step`.
void slideSideways(std::int8_t* cells, int first, int step) {
    std::array<Lanes, boardSize> line;
    for (int i = 0; i < boardSize; ++i)
        line[i] = loadColumn(cells, first + i * step);
    const std::array<Lanes, boardSize> packed = pack(line);
    std::array<Lanes, boardSize> columns;
    for (int i = 0; i < boardSize; ++i)
        columns[first - 1 + i * step] = packed[i];
    for (int x = 1; x <= boardSize; ++x)
        storeColumn(cells, x, columns[x - 1]);
}

void slideVertically(std::int8_t* cells, int first, int step) {
    Block block{};
    for (int x = 1; x <= boardSize; ++x)
        block[x] = loadColumn(cells, x);
    const Block rows = transpose(block);
    std::array<Lanes, boardSize> line;
    for (int i = 0; i < boardSize; ++i)
        line[i] = rows[first + i * step];
    const std::array<Lanes, boardSize> packed = pack(line);
    Block packedRows{};
    for (int i = 0; i < boardSize; ++i)
        packedRows[first + i * step] = packed[i];
    const Block columns = transpose(packedRows);
    for (int x = 1; x <= boardSize; ++x)
        storeColumn(cells, x, columns[x]);
}

}

void slideCells(std::int8_t* cells, Direction direction) {
    switch (direction) {
        case Direction::Left:
            return slideSideways(cells, 1, 1);
        case Direction::Right:
            return slideSideways(cells, boardSize, -1);
        case Direction::Up:
            return slideVertically(cells, 1, 1);
        case Direction::Down:
            return slideVertically(cells, boardSize, -1);
    }
}

}
