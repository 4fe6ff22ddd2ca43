#pragma once

#include "ai/position.h"

namespace quorvel::engine {

// The search's score of an undecided position for the side of sign `side`: how closely its
// pieces threaten the opposing king, less how closely the other side's threaten its own.
// Far below any decided score.
int evaluate(const Position& position, int side);

// The threat of the side of sign `attacker` against the opposing king: its pieces in the
// king's neighbourhood, weighted by how they move and how near they stand, and its long-range
// pieces lined up with the king behind at most one other piece.
int pressure(const Position& position, int attacker);

// The pressure of the side of sign `attacker` together with the attack test of that side
// (attacksKing), both from one look around the opposing king.
struct Threat {
    int pressure = 0;
    bool attacks = false;
};
Threat threat(const Position& position, int attacker);

}
