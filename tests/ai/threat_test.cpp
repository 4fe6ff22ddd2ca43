#include <gtest/gtest.h>

#include <random>

#include "ai/attack.h"
#include "ai/heuristic.h"
#include "ai/position.h"
#include "ai/win_rules.h"
#include "random_positions.h"

namespace quorvel {
namespace {

// Random positions after a few random moves of the search's own slide, so that packed boards
// and kings hemmed in by long-range pieces are common.
std::vector<engine::Position> positions() {
    std::vector<engine::Position> out;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        const testing::RandomPosition start = testing::randomPosition(seed);
        engine::Position p = engine::fromBoard(start.board, start.prince);
        std::mt19937 rng(seed);
        const int moves = static_cast<int>(rng() % 5);
        for (int i = 0; i < moves; ++i)
            engine::play(p, static_cast<Direction>(rng() % 4));
        out.push_back(p);
    }
    return out;
}

// The threat's attack answer is the full attack test, through its rays as well as its steps.
TEST(Threat, AttackAnswerIsTheAttackTest) {
    int byStep = 0;
    int byRayOnly = 0;
    for (const engine::Position& p : positions()) {
        for (const int side : {engine::UPPER, engine::LOWER}) {
            const bool attacks = engine::attacksKing(p, side);
            ASSERT_EQ(engine::threat(p, side).attacks, attacks) << engine::hashOf(p);
            const bool step = engine::attacksKingByStep(p, side);
            ASSERT_TRUE(!step || attacks);
            byStep += step;
            byRayOnly += attacks && !step;
        }
    }
    EXPECT_GT(byStep, 100);
    EXPECT_GT(byRayOnly, 100);
}

// Deciding from attack answers already made gives the same result as deciding from the
// position, for every mover and both ways of testing wins.
TEST(Threat, DecidingFromAttackAnswersMatchesDecidingFromThePosition) {
    const engine::WinRules rulesSets[] = {
        engine::winRulesOf({{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer}),
        engine::winRulesOf({{SIDE_SENTE, SIDE_GOTE}, WinTest::TwoHumans}),
        engine::winRulesOf({{SIDE_GOTE, SIDE_SENTE}, WinTest::TwoHumans})};
    for (const engine::Position& p : positions()) {
        const bool upper = engine::attacksKing(p, engine::UPPER);
        const bool lower = engine::attacksKing(p, engine::LOWER);
        for (const engine::WinRules& rules : rulesSets) {
            for (const int mover : {engine::UPPER, engine::LOWER}) {
                ASSERT_EQ(engine::decide(upper, lower, mover, rules),
                          engine::decide(p, mover, rules));
            }
        }
    }
}

}
}
