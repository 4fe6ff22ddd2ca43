#include <gtest/gtest.h>

#include "rules/win_order.h"

namespace quorvel {
namespace {

constexpr int S = SIDE_SENTE, G = SIDE_GOTE, N = SIDE_NONE;
constexpr WinTest COM = WinTest::AgainstComputer, MAN = WinTest::TwoHumans;

struct WinOrderCase {
    WinTest kind;
    Sides sides;  // {manSide, comSide}
    int mover;
    std::array<int, 2> tested;
};

TEST(WinOrder, TestsTheSidesOfTheGamesKindInOrder) {
    const WinOrderCase cases[] = {
        {COM, {S, G}, S, {S, G}},  // the human moves first: after the human's move
        {COM, {S, G}, G, {G, N}},  // after the computer's
        {COM, {G, S}, G, {G, S}},  // the human moves second: after the human's move
        {COM, {G, S}, S, {S, N}},  // after the computer's
        {MAN, {S, G}, S, {S, G}},  // two humans, after either move, either labelling
        {MAN, {S, G}, G, {S, G}}, {MAN, {G, S}, G, {S, G}}, {MAN, {G, S}, S, {S, G}},
    };
    for (const WinOrderCase& c : cases) {
        EXPECT_EQ(winOrder(c.kind, c.sides, c.mover), c.tested)
            << "row " << &c - cases << ", mover " << c.mover;
    }
}

}
}
