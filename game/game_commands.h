#pragma once

#include "game/position.h"
#include "storage/game_record.h"

namespace quorvel {

// Whether a game command finds no game under way: no move made yet, or no game started. The
// command then lays out its own sides and turn instead of taking over the position.
bool startsAfresh(const GamePosition& position);

// What a game command (スタート, 先手, 後手) does to who plays which pieces: it switches the mode
// and relabels the sides and the turn. 先手 taking over a game on the lower pieces' turn labels
// them 先手; a fresh game gets the command's own first sides. The window's commands and the
// replay of a record both relabel through this. A network game's command (対局(ネット) 先手 or
// 後手) seats this machine's player on the lower pieces as the first or the second player.
void applyCommand(GamePosition& position, GameCommand command);

}
