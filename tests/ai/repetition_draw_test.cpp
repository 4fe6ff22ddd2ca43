#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "ai/engine.h"
#include "ai/engine_levels.h"
#include "ai/search.h"
#include "random_positions.h"
#include "rules/repetition.h"

namespace quorvel {
namespace {

using engine::Earlier;
using engine::Position;

constexpr std::array<Direction, 4> kMagnets{Direction::Left, Direction::Right, Direction::Up,
                                            Direction::Down};
constexpr SearchGame kDrawGame{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer, true};
constexpr SearchGame kPlainGame{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer, false};
constexpr int kWanted = 6;
constexpr std::uint32_t kSeeds = 3000;

Position after(const Position& p, Direction d) {
    Position next = p;
    engine::play(next, d);
    return next;
}

int decideFor(const Position& p, int mover) {
    return engine::decide(p, mover, engine::winRulesOf(kDrawGame));
}

// A history in which each of the positions has occurred `times` times (side to move), by
// default three: the next occurrence is the fourth.
std::vector<Earlier> thrice(const std::vector<Position>& positions, int side,
                            int times = REPETITION_DRAW_OCCURRENCES - 1) {
    std::vector<Earlier> out;
    for (int i = 0; i < times; ++i) {
        for (const Position& p : positions)
            out.push_back({p, side});
    }
    return out;
}

engine::SearchResult searchAt(Level level, const Position& p, int side, const SearchGame& game,
                              const std::vector<Earlier>& earlier = {}) {
    engine::TranspositionTable table(16);
    return engine::search(p, side, engine::winRulesOf(game), engine::limitsOf(level), table,
                          earlier);
}

// The level's move through the game's interface, the history given as the game's positions.
Direction levelMove(Level level, const Position& p, int side, const SearchGame& game,
                    const std::vector<Earlier>& earlier) {
    const auto idOf = [&](int s) {
        return s == engine::UPPER ? game.sides.comSide : game.sides.manSide;
    };
    std::vector<EarlierPosition> history;
    for (const Earlier& e : earlier)
        history.push_back({engine::toBoard(e.position), idOf(e.side)});
    const Board board = engine::toBoard(p);
    Square prince;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (board(x, y) == PRINCE) prince = {x, y};
        }
    }
    return chooseMagnet(board, prince, idOf(side), game, level, history);
}

// Undecided random positions for either side to move, in a fixed order.
template <typename Visit>
void forPositions(Visit visit) {
    for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        const testing::RandomPosition r = testing::randomPosition(seed);
        const Position p = engine::fromBoard(r.board, r.prince);
        if (decideFor(p, engine::UPPER) != 0 || decideFor(p, engine::LOWER) != 0) continue;
        for (const int side : {engine::UPPER, engine::LOWER}) {
            if (!visit(p, side)) return;
        }
    }
}

TEST(RepetitionDraw, ALevelTakesADrawOverALossAndAWinOverADraw) {
    int drawsTaken = 0, winsKept = 0, winningFourths = 0;
    forPositions([&](const Position& p, int side) {
        const engine::SearchResult plain = searchAt(Level::中級, p, side, kPlainGame);
        for (int m = 0; m < 4; ++m) {
            const Position child = after(p, kMagnets[m]);
            const int outcome = decideFor(child, side);
            const std::vector<Earlier> history = thrice({child}, -side);
            const engine::SearchResult on = searchAt(Level::中級, p, side, kDrawGame, history);
            if (plain.score < -engine::DECIDED_SCORE && outcome == 0 && drawsTaken < kWanted) {
                // Every move loses by force; this one ends the game as a draw instead.
                ++drawsTaken;
                EXPECT_EQ(on.best, kMagnets[m]);
                EXPECT_EQ(on.score, engine::DRAW_SCORE);
                EXPECT_EQ(levelMove(Level::上級, p, side, kDrawGame, history), kMagnets[m]);
                // Without the rule, or as a third occurrence, the same move is only a return.
                for (const auto& [game, times] : {std::pair{kPlainGame, 3}, {kDrawGame, 2}}) {
                    const engine::SearchResult r =
                        searchAt(Level::中級, p, side, game, thrice({child}, -side, times));
                    EXPECT_LT(r.score, engine::REPEAT_SCORE / 2);
                    EXPECT_GT(r.score, -engine::DECIDED_SCORE);
                }
            } else if (plain.score > engine::DECIDED_SCORE && kMagnets[m] != plain.best &&
                       outcome == 0 && winsKept < kWanted) {
                ++winsKept;
                EXPECT_EQ(on.best, plain.best);
                EXPECT_EQ(on.score, plain.score);
                EXPECT_EQ(levelMove(Level::上級, p, side, kDrawGame, history), plain.best);
            } else if (outcome > 0 && winningFourths < kWanted) {
                // The win tests come first: completing the fourth occurrence still wins.
                ++winningFourths;
                EXPECT_EQ(on.score, engine::WIN_SCORE - 1);
                EXPECT_EQ(decideFor(after(p, on.best), side), 1);
            }
        }
        return drawsTaken + winsKept + winningFourths < 3 * kWanted;
    });
    EXPECT_EQ(drawsTaken, kWanted);
    EXPECT_EQ(winsKept, kWanted);
    EXPECT_EQ(winningFourths, kWanted);
}

// Every reply of the opponent makes a fourth occurrence: each root move is worth the worst of
// its replies for the mover, a reply that wins nothing a draw, 0 for both sides; a reply that
// wins still wins.
TEST(RepetitionDraw, TheOpponentsFourthOccurrenceIsADrawForBothSides) {
    int checked = 0, drawn = 0;
    forPositions([&](const Position& p, int side) {
        std::vector<Position> replies;
        int expected = -engine::WIN_SCORE;
        for (const Direction d : kMagnets) {
            const Position child = after(p, d);
            if (const int outcome = decideFor(child, side); outcome != 0) {
                expected = std::max(expected, outcome * (engine::WIN_SCORE - 1));
                continue;
            }
            int worst = engine::WIN_SCORE;
            for (const Direction r : kMagnets) {
                const Position next = after(child, r);
                const int outcome = decideFor(next, -side);
                replies.push_back(next);
                worst = std::min(
                    worst, outcome == 0 ? engine::DRAW_SCORE : -outcome * (engine::WIN_SCORE - 2));
            }
            expected = std::max(expected, worst);
        }
        // 初級 meets the replies on its last ply, 中級 inside the search.
        for (const Level level : {Level::初級, Level::中級}) {
            EXPECT_EQ(searchAt(level, p, side, kDrawGame, thrice(replies, side)).score, expected);
        }
        ++checked;
        drawn += expected == engine::DRAW_SCORE;
        return drawn < kWanted;
    });
    EXPECT_EQ(drawn, kWanted);
    EXPECT_GT(checked, drawn);
}

// The same position, history and level give the same move, whatever was searched before; 入門
// plays as without the rule.
TEST(RepetitionDraw, ChoicesAreDeterministicAndTheTrialsIgnoreTheRule) {
    int compared = 0;
    forPositions([&](const Position& p, int side) {
        const std::vector<Earlier> history = thrice({after(p, Direction::Up)}, -side);
        for (const Level level : {Level::初級, Level::中級, Level::上級}) {
            const Direction first = levelMove(level, p, side, kDrawGame, history);
            levelMove(level, after(p, Direction::Left), side, kDrawGame, {});
            EXPECT_EQ(levelMove(level, p, side, kDrawGame, history), first);
        }
        EXPECT_EQ(levelMove(Level::入門, p, side, kDrawGame, history),
                  levelMove(Level::入門, p, side, kPlainGame, history));
        return ++compared < kWanted;
    });
    EXPECT_EQ(compared, kWanted);
}

}
}
