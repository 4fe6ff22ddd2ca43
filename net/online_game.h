#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/payload.h"
#include "rules/gravity.h"

namespace quorvel::net {

// The hash of the position after these moves from the first position (the board, the prince and
// the side to move), the same on every machine: a move carries it so that two records that
// disagree are seen at the first move where they part.
std::uint64_t positionHash(std::span<const Direction> moves);

// One network game as this side keeps it. The record (moves) is the truth both sides compare.
struct OnlineGame {
    std::string gameId;
    std::string friendJid;  // bare JID of the only other player whose stanzas count
    int localSide = 0;      // SIDE_SENTE or SIDE_GOTE
    bool repetitionDraw = false;
    std::vector<Direction> moves;
    bool finished = false;  // won, drawn or resigned: no move counts any more
};

// What to do with a stanza that arrived for a game.
enum class Verdict {
    Play,       // a move: play it
    Duplicate,  // a move already in the record (sent again after a reconnection): ignore quietly
    Refuse,     // never played; logged with the reason
};
struct Judgement {
    Verdict verdict = Verdict::Refuse;
    std::string reason;
};

// Judges a Move payload from fromBareJid: only the friend, only this game's id, only the next
// move number, only on the friend's turn, only with the hash of the position the move makes.
Judgement judgeMove(const OnlineGame& game, std::string_view fromBareJid, const Payload& move);

// What a friend's Sync asks of this side: moves it missed (to play, in order), or that the friend
// missed this side's moves (send ours), or that the two records disagree.
struct SyncPlan {
    std::vector<Direction> toPlay;
    bool sendOurs = false;
    bool disagree = false;
};
SyncPlan planSync(const OnlineGame& game, std::string_view fromBareJid, const Payload& sync);

}
