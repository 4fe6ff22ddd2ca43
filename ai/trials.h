#pragma once

#include <array>
#include <string>

#include "rules/board.h"
#include "rules/check.h"
#include "rules/gravity.h"

namespace quorvel {

// The order in which the computer tries the magnets; on equal scores the earlier one is kept.
inline constexpr std::array<Direction, 4> TRIAL_ORDER{Direction::Left, Direction::Right,
                                                      Direction::Up, Direction::Down};

inline constexpr int BEST_SCORE_START = -99999;

struct TrialResult {
    int bestScore = BEST_SCORE_START;
    std::string bestDirection;  // a direction word
};

// The computer's one-move look-ahead: copies board into savedBoard, then for each direction
// slides silently, surveys the kings, scores the position and puts the board back from
// savedBoard. A strictly greater score replaces the best, so the first of equal scores wins.
// Leaves board as it found it; kings hold the last trial's survey.
TrialResult tryDirections(Board& board, Board& savedBoard, KingSquares& kings, const Sides& sides);

}
