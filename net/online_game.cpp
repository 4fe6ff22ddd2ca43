// A network game's record judged by the rules: the position a record reaches, how it ends, and
// what a friend's move or record may change in it.

#include "net/online_game.h"

#include <algorithm>
#include <map>
#include <utility>

#include "rules/check.h"
#include "rules/prince_step.h"
#include "rules/repetition.h"
#include "rules/win_order.h"

namespace quorvel::net {

namespace {

constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr std::uint64_t FNV_PRIME = 1099511628211ull;
constexpr int INT_BYTES = 4;
// Between two humans 先手 plays the lower pieces.
constexpr Sides TWO_PLAYERS{SIDE_SENTE, SIDE_GOTE};

// The board as the moves leave it, played from the first position one move at a time.
struct Replay {
    Board board;
    Square prince = FIRST_PRINCE_SQUARE;

    Replay() { layFirstPosition(board); }
    void play(Direction direction) {
        stepPrince(board, prince, direction);
        slide(board, direction);
    }
};

Replay replay(std::span<const Direction> moves) {
    Replay r;
    for (Direction d : moves)
        r.play(d);
    return r;
}

void mix(std::uint64_t& hash, int value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < INT_BYTES; ++i, bits >>= 8) {
        hash = (hash ^ (bits & 0xffu)) * FNV_PRIME;
    }
}

KingSquares kingsOf(const Board& board) {
    KingSquares kings;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (board(x, y) == LOWER_KING) kings.manKingX = x, kings.manKingY = y;
            if (board(x, y) == UPPER_KING) kings.comKingX = x, kings.comKingY = y;
        }
    }
    return kings;
}

int winnerAfter(const Board& board, int mover) {
    const KingSquares kings = kingsOf(board);
    for (const int side : winOrder(WinTest::TwoHumans, TWO_PLAYERS, mover)) {
        if (side == SIDE_NONE) break;
        int ax = 0, ay = 0, kx = 0, ky = 0;
        if (調査_王手(board, kings, TWO_PLAYERS, side, ax, ay, kx, ky)) return side;
    }
    return SIDE_NONE;
}

}

std::uint64_t positionHash(std::span<const Direction> moves) {
    const Replay r = replay(moves);
    std::uint64_t hash = FNV_OFFSET;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y)
            mix(hash, r.board(x, y));
    }
    mix(hash, r.prince.x);
    mix(hash, r.prince.y);
    mix(hash, sideToMove(moves.size()));
    return hash;
}

Outcome outcomeOf(std::span<const Direction> moves, bool repetitionDraw) {
    Replay r;
    // How often each board has occurred with each side to move, the first position included.
    std::map<std::pair<int, decltype(Board::cells)>, int> seen;
    ++seen[{SIDE_SENTE, r.board.cells}];
    for (std::size_t i = 0; i < moves.size(); ++i) {
        r.play(moves[i]);
        if (const int winner = winnerAfter(r.board, sideToMove(i)); winner != SIDE_NONE) {
            return Outcome{winner, false, i + 1};
        }
        const int occurrences = ++seen[{sideToMove(i + 1), r.board.cells}];
        if (repetitionDraw && occurrences >= REPETITION_DRAW_OCCURRENCES) {
            return Outcome{SIDE_NONE, true, i + 1};
        }
    }
    return Outcome{};
}

void updateFinished(OnlineGame& game) {
    game.finished =
        game.resignedSide != SIDE_NONE || outcomeOf(game.moves, game.repetitionDraw).ended();
}

Judgement judgeMove(const OnlineGame& game, std::string_view fromBareJid, const Payload& move) {
    const auto refuse = [](std::string reason) { return Judgement{Verdict::Refuse, reason}; };
    if (fromBareJid != game.friendJid) return refuse("not from the friend");
    if (move.kind != Kind::Move) return refuse("not a move");
    if (move.gameId != game.gameId) return refuse("another game");
    const std::size_t made = game.moves.size();
    const auto number = static_cast<std::size_t>(move.moveNumber);
    if (number >= 1 && number <= made) {
        const std::span<const Direction> upTo(game.moves.data(), number);
        const bool same = game.moves[number - 1] == move.direction &&
                          sideToMove(number - 1) == game.friendSide() &&
                          positionHash(upTo) == move.positionHash;
        return same ? Judgement{Verdict::Duplicate, "already played"}
                    : refuse("move " + std::to_string(number) + " differs from the record");
    }
    if (game.finished) return refuse("the game is over");
    if (number != made + 1) return refuse("wrong move number " + std::to_string(number));
    if (sideToMove(made) != game.friendSide()) return refuse("not the friend's turn");
    std::vector<Direction> after = game.moves;
    after.push_back(move.direction);
    if (positionHash(after) != move.positionHash) return refuse("wrong position hash");
    return Judgement{Verdict::Play, {}};
}

SyncPlan planSync(const OnlineGame& game, std::string_view fromBareJid, const Payload& sync) {
    SyncPlan plan;
    SyncPlan disagreement;
    disagreement.disagree = true;
    if (fromBareJid != game.friendJid) plan.refused = "not from the friend";
    if (sync.kind != Kind::Sync) plan.refused = "not a record";
    if (sync.gameId != game.gameId) plan.refused = "another game";
    if (!plan.refused.empty()) return plan;
    if (sync.takeBacks < game.takeBacks) {
        plan.sendOurs = true;  // the friend missed a take-back: our record is the truth
        return plan;
    }
    const auto& ours = game.moves;
    const auto& theirs = sync.moves;
    const std::size_t common =
        std::mismatch(ours.begin(), ours.end(), theirs.begin(), theirs.end()).first - ours.begin();
    std::size_t kept = ours.size();
    if (sync.takeBacks > game.takeBacks && common < ours.size()) plan.takeBackTo = kept = common;
    if (common < kept && common < theirs.size()) {
        return disagreement;
    }
    std::vector<Direction> record(ours.begin(), ours.begin() + kept);
    for (std::size_t i = kept; i < theirs.size(); ++i) {
        if (sideToMove(i) != game.friendSide() || game.resignedSide != SIDE_NONE ||
            outcomeOf(record, game.repetitionDraw).ended()) {
            return disagreement;
        }
        record.push_back(theirs[i]);
        plan.toPlay.push_back(theirs[i]);
    }
    if (sync.resignedSide == game.localSide && game.resignedSide != game.localSide) {
        return disagreement;
    }
    plan.friendResigned = sync.resignedSide == game.friendSide() && game.resignedSide == SIDE_NONE;
    plan.sendOurs = theirs.size() < kept ||
                    (game.resignedSide != SIDE_NONE && sync.resignedSide != game.resignedSide);
    return plan;
}

}
