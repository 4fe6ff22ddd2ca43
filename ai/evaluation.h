#pragma once

#include "rules/board.h"
#include "rules/check.h"

namespace quorvel {

inline constexpr int SCORE_HUMAN_KING_ATTACKED = 999;
inline constexpr int SCORE_COMPUTER_KING_ATTACKED = -999;

// Scores a trial position from the computer's point of view: 999 when a computer piece attacks
// the human's king, -999 when a human piece attacks the computer's king (this wins over the
// 999), plus one for every square that was EMPTY in savedBoard and is occupied now. The kings
// must have been surveyed on board. Lies in -999..1080.
int 盤評価(const Board& board, const Board& savedBoard, const KingSquares& kings,
           const Sides& sides);

}
