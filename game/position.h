#pragma once

#include "rules/board.h"
#include "rules/check.h"

namespace quorvel {

inline constexpr int MODE_MAN = 0;
inline constexpr int MODE_COM = 1;
// Against a friend over the network: this machine's player on the lower pieces.
inline constexpr int MODE_NET = 2;
// A puzzle on the board: its solver against the defender (game/puzzle_play.h).
inline constexpr int MODE_PUZZLE = 3;

// One position of a game as the game controller keeps it: the board with its prince and
// surveyed kings, who plays which pieces, whose turn it is, the mode, the move count, the winner
// and both players' total seconds. The game's state holds one, so a snapshot, a take-back, a
// replayed record and a resumed game each copy this one value.
struct GamePosition {
    Board board;
    int princeX = FIRST_PRINCE_SQUARE.x;
    int princeY = FIRST_PRINCE_SQUARE.y;
    KingSquares kings;
    Sides sides;
    int turn = SIDE_NONE;
    int gameOver = SIDE_NONE;
    int gameMode = MODE_MAN;
    int moveNumber = 0;
    // The 千日手 option the game is played under (rules/repetition.h): off in a game as begun by
    // default, taken from the option when a game starts and from the header of a record.
    bool repetitionDraw = false;
    // The game ended without a winner (千日手); gameOver stays SIDE_NONE, naming winners only.
    bool drawn = false;
    // Whole seconds: each move adds its own whole seconds, so the totals are their sums.
    double manSeconds = 0;
    double comSeconds = 0;
};

}
