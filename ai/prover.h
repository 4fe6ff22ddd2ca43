#pragma once

#include <optional>

#include "ai/position.h"
#include "ai/win_rules.h"

namespace quorvel::engine {

// Exhaustive proofs: every move of both sides is tried, nothing is pruned by an estimate and no
// table is shared, so a proof does not rest on the search's own shortcuts.

// The fewest own moves within which the side of sign side, to move, wins against every defence
// under rules; nothing when it cannot within maxMoves.
std::optional<int> forcedWinWithin(const Position& position, int side, const WinRules& rules,
                                   int maxMoves);

// For the side to move in a position its opponent wins by force within maxMoves: the magnet that
// holds out longest (the first in Left, Right, Up, Down order among equals).
Direction longestDefence(const Position& position, int side, const WinRules& rules, int maxMoves);

}
