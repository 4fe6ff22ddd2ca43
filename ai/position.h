#pragma once

#include <array>
#include <cstdint>

#include "rules/board.h"
#include "rules/gravity.h"

namespace quorvel::engine {

// The search's own form of a position: a padded byte board that a slide compacts line by line
// and the attack test reads along rays, with the kings' squares kept beside it.

// Piece kinds: the upper side's pieces are stored positive, the lower side's negative.
enum Kind : std::int8_t {
    NO_PIECE = 0,
    PAWN = 1,
    LANCE,
    KNIGHT,
    SILVER,
    GOLD,
    BISHOP,
    ROOK,
    KING,
    PAWN_PROMOTED,
    LANCE_PROMOTED,
    KNIGHT_PROMOTED,
    SILVER_PROMOTED,
    BISHOP_PROMOTED,
    ROOK_PROMOTED,
    KIND_COUNT
};
inline constexpr std::int8_t PRINCE_CELL = 20;
inline constexpr std::int8_t WALL = 30;

// Cell index of square (x, y) is ORIGIN + x * STRIDE + y. Columns and rows 0 and 10 and the
// margin around them are walls, so every step, knight jump and ray from a board square stays
// inside the array and stops on a wall.
inline constexpr int STRIDE = boardSize + 2;
inline constexpr int ORIGIN = 3;
inline constexpr int CELLS = 128;
inline constexpr std::uint8_t NO_SQUARE = 0;  // a wall cell: no king stands there

constexpr int cellOf(int x, int y) {
    return ORIGIN + x * STRIDE + y;
}
constexpr int columnOf(int cell) {
    return (cell - ORIGIN) / STRIDE;
}
constexpr int rowOf(int cell) {
    return (cell - ORIGIN) % STRIDE;
}

// The sign of a side's pieces: the upper side +1, the lower side -1.
inline constexpr int UPPER = 1;
inline constexpr int LOWER = -1;

struct Position {
    alignas(64) std::array<std::int8_t, CELLS> cells;
    std::uint8_t prince = NO_SQUARE;
    std::uint8_t upperKing = NO_SQUARE;
    std::uint8_t lowerKing = NO_SQUARE;

    bool operator==(const Position&) const = default;
};

// The position of a board whose prince stands on prince. Each king's square is the last one
// found column by column, row by row, as the board survey records it. Codes outside the piece
// set of the rules count as empty.
Position fromBoard(const Board& board, Square prince);
Board toBoard(const Position& position);

// The prince's step toward the magnet: taken when the square ahead is on the board and empty.
void stepPrince(Position& position, Direction direction);
// Every piece but the prince slides toward the magnet until it stops against the edge, the
// prince or a stopped piece.
void slide(Position& position, Direction direction);

// A whole move: the prince's step, then the slide.
inline void play(Position& position, Direction direction) {
    stepPrince(position, direction);
    slide(position, direction);
}

// A 64-bit key of the squares' contents.
std::uint64_t hashOf(const Position& position);

}
