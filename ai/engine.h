#pragma once

#include <span>

#include "rules/board.h"
#include "rules/check.h"
#include "rules/gravity.h"
#include "rules/level.h"
#include "rules/win_order.h"

namespace quorvel {

// The game a search plays in: who owns which pieces (sides.manSide the lower pieces,
// sides.comSide the upper ones; against the computer comSide is the computer) and how wins
// are decided (winOrder).
struct SearchGame {
    Sides sides;
    WinTest winTest = WinTest::AgainstComputer;
    // Whether the game ends as 千日手 on a position's fourth occurrence (rules/repetition.h).
    bool repetitionDraw = false;
};

// The magnet the level presses for sideToMove (sides.manSide or sides.comSide) in the position:
// board holds the prince on prince. Deterministic: the same position, game and level give the
// same direction on every machine. The position must not be decided already.
Direction chooseMagnet(const Board& board, Square prince, int sideToMove, const SearchGame& game,
                       Level level);

// A position earlier in the same game: the board (prince included) and the side that was to move.
struct EarlierPosition {
    Board board;
    int sideToMove = SIDE_NONE;
};

// As above, in a game that went through the earlier positions (oldest first). The levels above
// 入門 avoid a move that brings back one of them with the same side to move unless every other
// move loses (then they go back to the one not seen for longest); 入門 ignores them. Under 千日手
// (game.repetitionDraw) a move that makes a position's fourth occurrence is a draw, which they
// take over a loss and never over a forced win. Deterministic
// in the position, the earlier positions and the level. The position-only form above is this one
// with no earlier positions.
Direction chooseMagnet(const Board& board, Square prince, int sideToMove, const SearchGame& game,
                       Level level, std::span<const EarlierPosition> earlier);

}
