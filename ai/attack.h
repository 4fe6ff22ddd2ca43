#pragma once

#include "ai/position.h"

namespace quorvel::engine {

// Could a piece of the side of sign `attacker` (UPPER or LOWER) go to the opposing king's
// square by its shogi move? False when that king is not on the board.
bool attacksKing(const Position& position, int attacker);

}
