#pragma once

#include <span>

#include "game/position.h"

namespace quorvel {

// Whether a game that went through `before` (oldest first, the first position included) ends as
// 千日手 on reaching `position`: the rule is on for it, the move to it won nothing, and it is the
// REPETITION_DRAW_OCCURRENCES-th time the same board (with its prince) occurs with the same
// pieces (the lower or the upper ones) to move. A game command may have relabelled the sides
// since an earlier position, so the side to move is compared by its pieces.
bool endsInRepetition(std::span<const GamePosition> before, const GamePosition& position);

// A game that has ended, by a win or by 千日手: no move may follow.
inline bool gameEnded(const GamePosition& position) {
    return position.gameOver != SIDE_NONE || position.drawn;
}

}
