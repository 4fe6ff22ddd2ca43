#pragma once

#include <optional>
#include <string>

#include "rules/pieces.h"
#include "storage/game_record.h"

namespace quorvel {

// A game against a friend over the network, as this machine plays it: this machine's player's
// side (SIDE_SENTE or SIDE_GOTE) and address, the friend's address, the id both machines know
// the game by, and whether it is played with the 千日手 rule.
struct NetworkGameSetup {
    int localSide = SIDE_SENTE;
    std::string localAddress;
    std::string friendAddress;
    std::string gameId;
    bool repetitionDraw = false;
    bool operator==(const NetworkGameSetup&) const = default;
};

// The command that starts a network game with this machine's player on `localSide`.
GameCommand networkCommand(int localSide);

// The record of a network game begun with the setup: its command, players (先手 first), id and
// 千日手 rule, and no moves yet.
void nameNetworkGame(GameRecord& record, const NetworkGameSetup& setup);

// The setup a record of a network game was begun with; nothing for a record of another game.
std::optional<NetworkGameSetup> networkSetupOf(const GameRecord& record);

}
