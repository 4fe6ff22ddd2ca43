#pragma once

#include <array>

#include "rules/pieces.h"

namespace quorvel {

// The 9 x 9 board of piece codes, addressed (column, row), both 1..9: column from the left,
// row from the top of the screen. Index 0 of either dimension is a spare that stays EMPTY.
struct Board {
    std::array<std::array<int, boardSize + 1>, boardSize + 1> cells{};

    int& operator()(int x, int y) { return cells[x][y]; }
    int operator()(int x, int y) const { return cells[x][y]; }
    bool operator==(const Board&) const = default;
};

// The prince's square; it always names the square that holds PRINCE.
struct Square {
    int x = 0;
    int y = 0;
    bool operator==(const Square&) const = default;
};

// Lays out the first position, with PRINCE on (5, 5), over whatever the board held.
void layFirstPosition(Board& board);

// The prince's square of the first position.
inline constexpr Square FIRST_PRINCE_SQUARE{5, 5};

}
