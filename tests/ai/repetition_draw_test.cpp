#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ai/engine_levels.h"
#include "random_positions.h"
#include "rules/repetition.h"

namespace quorvel::engine {
namespace {

constexpr std::array<Direction, 4> kMagnets{Direction::Left, Direction::Right, Direction::Up,
                                            Direction::Down};
const WinRules kRules = winRulesOf({{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer, true});

Position after(const Position& p, Direction d) {
    Position next = p;
    play(next, d);
    return next;
}

// The level's search, with or without 千日手, after a history in which each of `seen` (seenSide
// to move) occurred `times` times. One table for all, so no search may leave a trace in another.
SearchResult searchAt(Level level, const Position& p, int side, bool rule,
                      const std::vector<Position>& seen, int seenSide,
                      int times = REPETITION_DRAW_OCCURRENCES - 1) {
    static TranspositionTable table(16);
    std::vector<Earlier> earlier;
    for (int i = 0; i < times; ++i) {
        for (const Position& s : seen)
            earlier.push_back({s, seenSide});
    }
    WinRules rules = kRules;
    rules.repetitionDraw = rule;
    return search(p, side, rules, limitsOf(level), table, earlier);
}

// Over undecided seeded random positions, either side to move: for each move, a history in which
// it makes its position's fourth occurrence; then one in which every reply of the opponent does.
TEST(RepetitionDraw, ALevelTakesAWinThenADrawThenALossForEitherSidesFourthOccurrence) {
    std::array<int, 4> found{};  // draws over losses, wins kept, wins making a fourth, replies
    for (std::uint32_t seed = 0; seed < 3000 && std::ranges::min(found) < 6; ++seed) {
        const testing::RandomPosition r = testing::randomPosition(seed);
        const Position p = fromBoard(r.board, r.prince);
        if (decide(p, UPPER, kRules) != 0 || decide(p, LOWER, kRules) != 0) continue;
        for (const int side : {UPPER, LOWER}) {
            const SearchResult plain = searchAt(Level::中級, p, side, false, {}, side, 0);
            std::vector<Position> replies;
            int expected = -WIN_SCORE;  // each move worth its worst reply, a draw 0
            for (const Direction d : kMagnets) {
                const Position child = after(p, d);
                const int outcome = decide(child, side, kRules);
                int worst = outcome == 0 ? WIN_SCORE : outcome * (WIN_SCORE - 1);
                for (const Direction reply : kMagnets) {
                    if (outcome != 0) break;
                    replies.push_back(after(child, reply));
                    const int theirs = decide(replies.back(), -side, kRules);
                    worst = std::min(worst, theirs == 0 ? DRAW_SCORE : -theirs * (WIN_SCORE - 2));
                }
                expected = std::max(expected, worst);
                for (const Level level : {Level::中級, Level::上級}) {
                    const SearchResult on = searchAt(level, p, side, true, {child}, -side);
                    if (outcome > 0) {
                        ++found[2];
                        EXPECT_EQ(on.score, WIN_SCORE - 1);
                    } else if (outcome == 0 && plain.score < -DECIDED_SCORE) {
                        ++found[0];
                        EXPECT_EQ(std::pair(on.best, on.score), std::pair(d, DRAW_SCORE));
                        // Without the rule, or as a third occurrence, the move is only a return.
                        for (const auto& [rule, times] : {std::pair{false, 3}, {true, 2}}) {
                            const int s =
                                searchAt(level, p, side, rule, {child}, -side, times).score;
                            EXPECT_TRUE(s > -DECIDED_SCORE && s < REPEAT_SCORE / 2) << s;
                        }
                    } else if (outcome == 0 && plain.score > DECIDED_SCORE && d != plain.best) {
                        ++found[1];
                        EXPECT_EQ(std::pair(on.best, on.score), std::pair(plain.best, plain.score));
                    }
                }
            }
            // 初級 meets the replies on its last ply, 中級 within the search.
            for (const Level level : {Level::初級, Level::中級})
                EXPECT_EQ(searchAt(level, p, side, true, replies, side).score, expected);
            found[3] += expected == DRAW_SCORE;
        }
    }
    EXPECT_GE(std::ranges::min(found), 6);
}

}
}
