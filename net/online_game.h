#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/payload.h"
#include "rules/gravity.h"

namespace quorvel::net {

// The side to move after `movesMade` moves: 先手 makes move 1, so 先手 moves when it is even.
inline int sideToMove(std::size_t movesMade) {
    return movesMade % 2 == 0 ? SIDE_SENTE : SIDE_GOTE;
}

// Directions on the wire, in the session and in its records are as 先手 sees the board: the lower
// pieces are 先手's. Each player's own window shows its own pieces at the bottom, so the 後手
// player's board is 先手's turned half round (the first position is its own point reflection,
// and gravity and the attack tests turn with it): a magnet there pulls the opposite way on
// 先手's board. This maps a direction between the player's own board and 先手's, both ways.
inline Direction asSeenBy(int localSide, Direction direction) {
    return localSide == SIDE_GOTE ? opposite(direction) : direction;
}

// The hash of the position after these moves from the first position (the board, the prince and
// the side to move), the same on every machine: a move carries it so that two records that
// disagree are seen at the first move where they part.
std::uint64_t positionHash(std::span<const Direction> moves);

// How a record of moves between two players ends, by the rules of a game between two humans:
// the first move after which a side attacks the opposing king wins it for that side (先手
// tested first); with the 千日手 rule on, a move that wins nothing and brings a position for the
// fourth time draws. `at` is the number of moves the game took; 0 while it goes on.
struct Outcome {
    int winner = SIDE_NONE;
    bool drawn = false;
    std::size_t at = 0;
    bool ended() const { return winner != SIDE_NONE || drawn; }
};
Outcome outcomeOf(std::span<const Direction> moves, bool repetitionDraw);

// One network game as this side keeps it. The record (moves) is the truth both sides compare.
struct OnlineGame {
    std::string gameId;
    std::string friendJid;       // bare JID of the only other player whose stanzas count
    int localSide = SIDE_SENTE;  // SIDE_SENTE or SIDE_GOTE
    bool repetitionDraw = false;
    std::vector<Direction> moves;
    int resignedSide = SIDE_NONE;  // the side that resigned, SIDE_NONE while nobody has
    int takeBacks = 0;             // take-backs both sides agreed to, in order
    bool finished = false;         // won, drawn or resigned: no move counts any more

    int friendSide() const { return -localSide; }
};

// Sets `finished` from the record and the resignation.
void updateFinished(OnlineGame& game);

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
// move number, only on the friend's turn, only while the game goes on, only with the hash of the
// position the move makes.
Judgement judgeMove(const OnlineGame& game, std::string_view fromBareJid, const Payload& move);

// What a friend's Sync asks of this side. The record that went through more take-backs is the
// truth for its moves (this side takes back to where the two part: `takeBackTo`); then moves
// this side missed (to play, in order: only the friend's, only while the game goes on), or that
// the friend missed this side's moves or resignation (send ours), or that the records disagree.
// A Sync from anyone else or for another game is `refused` with the reason and asks nothing.
struct SyncPlan {
    std::optional<std::size_t> takeBackTo;
    std::vector<Direction> toPlay;
    bool friendResigned = false;
    bool sendOurs = false;
    bool disagree = false;
    std::string refused;
};
SyncPlan planSync(const OnlineGame& game, std::string_view fromBareJid, const Payload& sync);

}
