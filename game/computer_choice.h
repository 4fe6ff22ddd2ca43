#pragma once

#include <span>

#include "ai/engine.h"
#include "game/record_replay.h"
#include "rules/level.h"

namespace quorvel {

// The game a search plays in at a position: its sides and the kind of game of its mode, which
// gives the win order.
SearchGame searchGameOf(const GamePosition& position);

// The magnet the computer presses at `level` for the side to move in `current`, in a game that
// went through `before`: the positions before current, oldest first, as the game replays them
// from its record. A game command may have relabelled the sides since an earlier position, so
// its side to move is taken by its pieces (the lower or the upper ones) and named as current's
// sides name them. The game's computer, its hint and the tools that measure the levels all
// choose through this. Deterministic in its arguments.
Direction computerChoice(const GamePosition& current, std::span<const GamePosition> before,
                         Level level);

}
