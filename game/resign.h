#pragma once

#include "game/position.h"

namespace quorvel {

// A side gives the game up: the other side wins. Nothing changes when `side` is SIDE_NONE or
// the game has already ended. The game's 投了 and the replay of a record both end a game so.
void resign(GamePosition& position, int side);

}
