#pragma once

#include "ai/position.h"

namespace quorvel::engine {

// Could a piece of the side of sign `attacker` (UPPER or LOWER) go to the opposing king's
// square by its shogi move? False when that king is not on the board.
bool attacksKing(const Position& position, int attacker);

// The same test for the pieces that go there by one step or a knight's jump: the attack test
// but for the rays of the long-range pieces.
bool attacksKingByStep(const Position& position, int attacker);

}
