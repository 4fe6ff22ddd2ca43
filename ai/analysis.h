#pragma once

#include <cstddef>
#include <span>

#include "ai/position.h"
#include "ai/transposition.h"
#include "ai/verdict.h"
#include "ai/win_rules.h"

namespace quorvel::engine {

// The course of a game as the engine judges it, one position at a time: each position's
// evaluation, the wins and losses proved within a horizon, and the moves that let a proved win
// go or walked into a proved loss.

// How far a proof reaches, in moves of either side: the depth every analysis search completes.
inline constexpr int PROOF_HORIZON = 12;

// One position of a game: the pieces, the sign of the side to move (0 when the game has ended
// there), the game's win rules at that point and, for an ended game, the sign of the winner (0
// for a game ended without one).
struct GamePoint {
    Position position;
    int side = LOWER;
    WinRules rules;
    int winner = 0;

    bool operator==(const GamePoint&) const = default;
};

// The verdict on game[index], knowing the positions before it (they decide returns and 千日手).
// sente: the sign of 先手's pieces. Deterministic: a search bounded by position counts, with
// the table cleared for it.
Verdict analysePosition(std::span<const GamePoint> game, std::size_t index, int sente,
                        TranspositionTable& table);

}
