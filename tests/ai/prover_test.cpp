#include <gtest/gtest.h>

#include <random>

#include "ai/attack.h"
#include "ai/prover.h"
#include "ai/search.h"
#include "random_positions.h"
#include "rules/board_text.h"

namespace quorvel {
namespace {

constexpr Sides kTwoHumans{SIDE_SENTE, SIDE_GOTE};
const engine::WinRules kTwoHumanRules = engine::winRulesOf({kTwoHumans, WinTest::TwoHumans});

// The lower rook reaches the upper king along column 9 after Right and along row 1 after Up;
// after Left the king stops beside the prince, after Down the rook stands beside its own king.
// Hand-checked slide by slide.
engine::Position rookAgainstKing() {
    return engine::fromBoard(fromText(R"(
        R . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        . . . . * . . . k
        . . . . . . . . .
        . . . . . . . . .
        . . . . . . . . .
        K . . . . . . . .)"),
                             {5, 5});
}

TEST(Prover, HandCheckedWinAndLoss) {
    const engine::Position p = rookAgainstKing();
    EXPECT_EQ(engine::forcedWinWithin(p, engine::LOWER, kTwoHumanRules, 5), 1);
    EXPECT_EQ(engine::winningFirstMoves(p, engine::LOWER, kTwoHumanRules, 1),
              (std::vector{Direction::Right, Direction::Up}));
    EXPECT_EQ(engine::defenderPositions(p, engine::LOWER, kTwoHumanRules, 1), 0);
    // With the upper side to move Right and Up hand the lower side its win at once, and after
    // Left or Down the lower side wins by its next move.
    EXPECT_EQ(engine::forcedWinWithin(p, engine::UPPER, kTwoHumanRules, 5), std::nullopt);
    EXPECT_EQ(engine::longestDefence(p, engine::UPPER, kTwoHumanRules, 5), Direction::Left);
    engine::Position afterDown = p;
    engine::play(afterDown, Direction::Down);
    EXPECT_EQ(engine::forcedWinWithin(afterDown, engine::LOWER, kTwoHumanRules, 5), 1);
}

// Wherever the search, at the depth of three own moves, scores a decided result, the prover
// finds the same win or loss, and it finds no win where the search sees none. Under both win
// orders, since a move can hand the opponent its win under one and not the other.
TEST(Prover, AgreesWithTheSearchOnRandomPositions) {
    constexpr int kMoves = 3;
    const std::array<engine::WinRules, 2> ruleSets{
        kTwoHumanRules, engine::winRulesOf({Sides{SIDE_GOTE, SIDE_SENTE}, {}})};
    engine::TranspositionTable table(16);
    int wins = 0, losses = 0;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        const testing::RandomPosition start = testing::randomPosition(seed);
        engine::Position p = engine::fromBoard(start.board, start.prince);
        std::mt19937 rng(seed);
        for (int i = static_cast<int>(rng() % 4); i > 0; --i)
            engine::play(p, static_cast<Direction>(rng() % 4));
        if (engine::attacksKing(p, engine::UPPER) || engine::attacksKing(p, engine::LOWER))
            continue;
        const engine::WinRules& rules = ruleSets[seed % 2];
        const int side = seed % 4 < 2 ? engine::LOWER : engine::UPPER;
        const engine::SearchResult r = engine::search(
            p, side, rules, {.minDepth = 2 * kMoves - 1, .maxDepth = 2 * kMoves - 1}, table);
        const auto proved = engine::forcedWinWithin(p, side, rules, kMoves);
        if (r.score >= engine::DECIDED_SCORE) {
            ++wins;
            EXPECT_EQ(proved, (engine::WIN_SCORE - r.score + 1) / 2) << "seed " << seed;
        } else {
            EXPECT_EQ(proved, std::nullopt) << "seed " << seed;
        }
        if (r.score <= -engine::DECIDED_SCORE) {
            ++losses;
            const Direction d = engine::longestDefence(p, side, rules, kMoves);
            engine::Position next = p;
            engine::play(next, d);
            const int lossIn = (engine::WIN_SCORE + r.score) / 2;
            if (engine::decide(next, side, rules) == 0) {
                EXPECT_EQ(engine::forcedWinWithin(next, -side, rules, kMoves), lossIn)
                    << "seed " << seed;
            }
        }
    }
    EXPECT_GT(wins, 100);
    EXPECT_GT(losses, 30);
}

}
}
