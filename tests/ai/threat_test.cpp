#include <gtest/gtest.h>

#include <map>
#include <random>

#include "ai/attack.h"
#include "ai/heuristic.h"
#include "ai/position.h"
#include "ai/survey.h"
#include "ai/win_rules.h"
#include "random_positions.h"
#include "rules/board_text.h"

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

// After a move, both ways of deciding name the winner that the game's win order names through
// the rules' attack test on the plain board, for every mover in either kind of game and either
// labelling of the pieces; a win by the mover, a loss by its own move and no result all occur.
TEST(Threat, DecidingIsTheGamesWinOrderOverTheAttackTest) {
    const SearchGame games[] = {{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer},
                                {{SIDE_GOTE, SIDE_SENTE}, WinTest::AgainstComputer},
                                {{SIDE_SENTE, SIDE_GOTE}, WinTest::TwoHumans},
                                {{SIDE_GOTE, SIDE_SENTE}, WinTest::TwoHumans}};
    std::map<int, int> outcomes;
    for (const engine::Position& p : positions()) {
        const Board board = engine::toBoard(p);
        KingSquares kings;
        勢力調査(board, kings);
        for (const SearchGame& game : games) {
            const Sides& sides = game.sides;
            const auto attacks = [&](int side) {
                int ax = 0, ay = 0, kx = 0, ky = 0;
                return 調査_王手(board, kings, sides, side, ax, ay, kx, ky);
            };
            const engine::WinRules rules = engine::winRulesOf(game);
            for (const int mover : {engine::UPPER, engine::LOWER}) {
                const int moverSide = mover == engine::UPPER ? sides.comSide : sides.manSide;
                int expected = 0;
                for (const int side : winOrder(game.winTest, sides, moverSide)) {
                    if (side != SIDE_NONE && attacks(side)) {
                        expected = side == moverSide ? 1 : -1;
                        break;
                    }
                }
                ++outcomes[expected];
                ASSERT_EQ(engine::decide(p, mover, rules), expected) << toText(board);
                ASSERT_EQ(
                    engine::decide(attacks(sides.comSide), attacks(sides.manSide), mover, rules),
                    expected)
                    << toText(board);
            }
        }
    }
    for (const int outcome : {-1, 0, 1})
        EXPECT_GT(outcomes[outcome], 100) << outcome;
}

}
}
