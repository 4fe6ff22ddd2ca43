#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "game/record_replay.h"
#include "game/repetition.h"
#include "net/online_game.h"

namespace quorvel::net {
namespace {

constexpr auto L = Direction::Left, R = Direction::Right, U = Direction::Up, D = Direction::Down;
const std::string ID(32, 'c');
const std::string FRIEND = "friend@example.org";

GameRecord recordOf(const std::vector<Direction>& moves, std::size_t count, bool draw) {
    GameRecord record;
    record.repetitionDraw = draw;
    record.moves.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        record.moves[i].direction = moves[i];
    return record;
}

TEST(OnlineGame, OutcomeAndHashAgreeWithTheGamesOwnReplay) {
    std::mt19937 random(7);
    int wins = 0, draws = 0, equalHashes = 0;
    std::vector<std::pair<std::uint64_t, GamePosition>> seen;
    for (int game = 0; game < 300; ++game) {
        const bool draw = game % 2;
        // Half the games use two magnets only, so that positions come back and 千日手 happens.
        const unsigned kinds = random() % 2 ? 4 : 2;
        std::vector<Direction> moves(60);
        for (Direction& d : moves)
            d = static_cast<Direction>(random() % kinds);
        const Outcome outcome = outcomeOf(moves, draw);
        const std::size_t played = outcome.ended() ? outcome.at : moves.size();
        const auto replayed = replayRecord(recordOf(moves, played, draw));
        ASSERT_TRUE(std::holds_alternative<std::vector<GamePosition>>(replayed)) << game;
        const auto& positions = std::get<std::vector<GamePosition>>(replayed);
        for (std::size_t i = 0; i + 1 < positions.size(); ++i) {
            ASSERT_FALSE(gameEnded(positions[i])) << "game " << game << " ended early at " << i;
        }
        EXPECT_EQ(positions.back().gameOver, outcome.winner) << game;
        EXPECT_EQ(positions.back().drawn, outcome.drawn) << game;
        wins += outcome.winner != SIDE_NONE;
        draws += outcome.drawn;
        // Equal hashes exactly for the same board with the same side to move.
        for (std::size_t n = 0; n < 8 && n <= played; ++n) {
            const GamePosition& p = positions[n];
            const std::uint64_t hash = positionHash({moves.data(), n});
            for (const auto& [otherHash, other] : seen) {
                const bool same = other.board == p.board && other.turn == p.turn;
                ASSERT_EQ(otherHash == hash, same) << "game " << game << " move " << n;
                equalHashes += same;
            }
            if (game < 40) seen.emplace_back(hash, p);
        }
    }
    EXPECT_GT(wins, 0);
    EXPECT_GT(draws, 0);
    EXPECT_GT(equalHashes, 0);
}

// A game this side plays 後手 with four moves made: 先手 (the friend) makes move 5.
OnlineGame gameOf(std::vector<Direction> moves) {
    OnlineGame g;
    g.gameId = ID;
    g.friendJid = FRIEND;
    g.localSide = SIDE_GOTE;
    g.moves = std::move(moves);
    return g;
}
const std::vector<Direction> RECORD{L, R, L, R};

Payload moveOf(int number, Direction d, std::vector<Direction> before) {
    Payload p;
    p.kind = Kind::Move;
    p.gameId = ID;
    p.moveNumber = number;
    p.direction = d;
    before.resize(static_cast<std::size_t>(number - 1));
    before.push_back(d);
    p.positionHash = positionHash(before);
    return p;
}

// The 後手 player's window plays the game on its own board, 先手's turned half round, with the
// directions turned by asSeenBy: every position there is the point reflection of 先手's, with the
// pieces' owners swapped, and the same side wins at the same move.
TEST(OnlineGame, TheSecondPlayersTurnedBoardPlaysTheSameGame) {
    std::mt19937 random(11);
    int wins = 0;
    for (int game = 0; game < 200; ++game) {
        std::vector<Direction> moves(40);
        for (Direction& d : moves)
            d = static_cast<Direction>(random() % 4);
        const Outcome outcome = outcomeOf(moves, false);
        const std::size_t played = outcome.ended() ? outcome.at : moves.size();
        GameRecord sente = recordOf(moves, played, false);
        sente.command = GameCommand::NetSente;
        GameRecord gote = sente;
        gote.command = GameCommand::NetGote;
        for (RecordedMove& move : gote.moves)
            move.direction = asSeenBy(SIDE_GOTE, move.direction);
        const auto a = std::get<std::vector<GamePosition>>(replayRecord(sente));
        const auto b = std::get<std::vector<GamePosition>>(replayRecord(gote));
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            for (int x = 1; x <= boardSize; ++x) {
                for (int y = 1; y <= boardSize; ++y) {
                    const int own = a[i].board(x, y);
                    const int turned = b[i].board(boardSize + 1 - x, boardSize + 1 - y);
                    ASSERT_EQ(turned, own == PRINCE ? PRINCE : -own) << game << " " << i;
                }
            }
        }
        EXPECT_EQ(b.back().gameOver, a.back().gameOver) << game;
        wins += a.back().gameOver != SIDE_NONE;
    }
    EXPECT_GT(wins, 50);
}

TEST(OnlineGame, JudgesEachMoveOfTheFriendBeforeItIsPlayed) {
    const std::vector<Direction> longer{L, R, L, R, U, D};
    ASSERT_FALSE(outcomeOf(longer, true).ended());
    struct Case {
        const char* what;
        OnlineGame game;
        Payload move;
        std::string from = FRIEND;
        Verdict verdict = Verdict::Refuse;
    };
    auto otherId = moveOf(5, U, RECORD);
    otherId.gameId = std::string(32, 'd');
    auto wrongHash = moveOf(5, U, RECORD);
    wrongHash.positionHash ^= 1;
    auto resigned = gameOf(RECORD);
    resigned.resignedSide = SIDE_SENTE;
    resigned.finished = true;
    const Case cases[] = {
        {"the next move", gameOf(RECORD), moveOf(5, U, RECORD), FRIEND, Verdict::Play},
        {"from anyone else", gameOf(RECORD), moveOf(5, U, RECORD), "other@example.org"},
        {"for another game", gameOf(RECORD), otherId},
        {"a number ahead", gameOf(RECORD), moveOf(6, U, {L, R, L, R, U})},
        {"out of turn", gameOf({L, R, L, R, U}), moveOf(6, U, {L, R, L, R, U})},
        {"a wrong hash", gameOf(RECORD), wrongHash},
        {"a duplicate", gameOf(RECORD), moveOf(3, L, RECORD), FRIEND, Verdict::Duplicate},
        {"an old number changed", gameOf(RECORD), moveOf(3, U, RECORD)},
        {"this side's own move", gameOf(RECORD), moveOf(4, R, RECORD)},
        {"after the end", resigned, moveOf(5, U, RECORD)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(judgeMove(c.game, c.from, c.move).verdict, c.verdict) << c.what;
    }
}

// A plan in words, for a legible table: what is taken back, the moves to play, the flags.
std::string describe(const SyncPlan& plan) {
    std::string text;
    const auto add = [&text](const std::string& word) { text += (text.empty() ? "" : " ") + word; };
    if (plan.takeBackTo) add("back to " + std::to_string(*plan.takeBackTo));
    if (!plan.toPlay.empty()) {
        std::string letters;
        for (Direction d : plan.toPlay)
            letters += "LRUD"[static_cast<int>(d)];
        add("play " + letters);
    }
    if (plan.friendResigned) add("resigned");
    if (plan.sendOurs) add("send");
    if (plan.disagree) add("disagree");
    if (!plan.refused.empty()) add("refused " + plan.refused);
    return text;
}

TEST(OnlineGame, PlansTheResyncFromTheTwoRecords) {
    struct Case {
        const char* what;
        std::function<void(OnlineGame& ours, Payload& theirs)> change;
        std::string expected;
    };
    const Case cases[] = {
        {"equal", [](OnlineGame&, Payload&) {}, ""},
        {"behind", [](OnlineGame&, Payload& t) { t.moves.push_back(U); }, "play U"},
        {"ahead", [](OnlineGame&, Payload& t) { t.moves.pop_back(); }, "send"},
        {"disagree", [](OnlineGame&, Payload& t) { t.moves.back() = U; }, "disagree"},
        {"this side's move unseen",
         [](OnlineGame&, Payload& t) {
             t.moves.insert(t.moves.end(), {U, D});
         },
         "disagree"},
        {"the friend resigned", [](OnlineGame&, Payload& t) { t.resignedSide = SIDE_SENTE; },
         "resigned"},
        {"this side resigned unseen", [](OnlineGame& o, Payload&) { o.resignedSide = SIDE_GOTE; },
         "send"},
        {"the friend missed a take-back", [](OnlineGame& o, Payload&) { o.takeBacks = 1; }, "send"},
        {"this side missed a take-back and a move after it",
         [](OnlineGame&, Payload& t) {
             t.takeBacks = 1;
             t.moves = {L, R, D};
         },
         "back to 2 play D"},
        {"another game", [](OnlineGame&, Payload& t) { t.gameId[0] = 'e'; },
         "refused another game"},
    };
    for (const Case& c : cases) {
        OnlineGame ours = gameOf(RECORD);
        Payload theirs;
        theirs.kind = Kind::Sync;
        theirs.gameId = ID;
        theirs.moves = RECORD;
        c.change(ours, theirs);
        EXPECT_EQ(describe(planSync(ours, FRIEND, theirs)), c.expected) << c.what;
    }
}

}
}
