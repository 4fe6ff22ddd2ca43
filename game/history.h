#pragma once

#include <optional>

#include "game/record_replay.h"
#include "storage/game_record.h"

namespace quorvel {

// The game's move history: the record of the game on the board (or of the record opened), the
// position it has reached, and which earlier position is shown while stepping through it.
struct GameHistory {
    GameRecord record;
    // The position after the record's last move.
    GamePosition last;
    // A game command given since the last move; the next move carries it.
    std::optional<GameCommand> pendingSwitch;
    // The record's position on the board while stepping through it; nothing while the game
    // itself is on the board.
    std::optional<std::size_t> shown;
    // The game left when stepping began, with its running clock: stepping to its last position
    // brings it back. Nothing for an opened record, which only a game command plays on.
    struct Live {
        GamePosition position;
        double clockStart = 0;
        bool timerEnabled = false;
    };
    std::optional<Live> live;
    // The record reached RECORD_MAX_MOVES and the player has been told that it stops there.
    bool toldFull = false;
};

// The names of the players a command sets against each other, 先手 first.
std::pair<std::string, std::string> playerNames(GameCommand command);

}
