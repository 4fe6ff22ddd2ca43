#pragma once

#include <optional>
#include <vector>

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

// The magnets, in Left, Right, Up, Down order, after which the side of sign side, to move, wins
// within moves of its own moves (the winning move counted) against every defence.
std::vector<Direction> winningFirstMoves(const Position& position, int side, const WinRules& rules,
                                         int moves);

// How many positions with the defender to move the smallest proof of a win within moves has to
// look at (each reached along its own line); 0 for a win by the next move, -1 when there is none.
long defenderPositions(const Position& position, int side, const WinRules& rules, int moves);

}
