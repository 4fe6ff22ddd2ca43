#pragma once

#include <array>

#include "rules/check.h"

namespace quorvel {

// The kind of game, which decides how a win is tested after a move.
enum class WinTest { AgainstComputer, TwoHumans };

// The sides whose attack is tested after a move of `mover`, in order; SIDE_NONE ends the list.
// The first side found attacking the opposing king wins. Against the computer (sides.comSide the
// computer): after the human's move the human, then the computer; after the computer's move only
// the computer. Between two humans: SIDE_SENTE, then SIDE_GOTE, after every move.
std::array<int, 2> winOrder(WinTest kind, const Sides& sides, int mover);

}
