#include <gtest/gtest.h>

#include "rules/win_order.h"

namespace quorvel {
namespace {

struct WinOrderCase {
    const char* name;
    WinTest kind;
    Sides sides;
    int mover;
    std::array<int, 2> tested;
};

// Against the computer with the human moving first (先手) and second (後手), and two humans
// with either labelling of the pieces.
const WinOrderCase kCases[] = {
    {"HumanFirstAfterHuman",
     WinTest::AgainstComputer,
     {SIDE_SENTE, SIDE_GOTE},
     SIDE_SENTE,
     {SIDE_SENTE, SIDE_GOTE}},
    {"HumanFirstAfterComputer",
     WinTest::AgainstComputer,
     {SIDE_SENTE, SIDE_GOTE},
     SIDE_GOTE,
     {SIDE_GOTE, SIDE_NONE}},
    {"HumanSecondAfterHuman",
     WinTest::AgainstComputer,
     {SIDE_GOTE, SIDE_SENTE},
     SIDE_GOTE,
     {SIDE_GOTE, SIDE_SENTE}},
    {"HumanSecondAfterComputer",
     WinTest::AgainstComputer,
     {SIDE_GOTE, SIDE_SENTE},
     SIDE_SENTE,
     {SIDE_SENTE, SIDE_NONE}},
    {"TwoHumansAfterFirst",
     WinTest::TwoHumans,
     {SIDE_SENTE, SIDE_GOTE},
     SIDE_SENTE,
     {SIDE_SENTE, SIDE_GOTE}},
    {"TwoHumansAfterSecond",
     WinTest::TwoHumans,
     {SIDE_SENTE, SIDE_GOTE},
     SIDE_GOTE,
     {SIDE_SENTE, SIDE_GOTE}},
    {"TwoHumansRelabelledAfterSecond",
     WinTest::TwoHumans,
     {SIDE_GOTE, SIDE_SENTE},
     SIDE_GOTE,
     {SIDE_SENTE, SIDE_GOTE}},
    {"TwoHumansRelabelledAfterFirst",
     WinTest::TwoHumans,
     {SIDE_GOTE, SIDE_SENTE},
     SIDE_SENTE,
     {SIDE_SENTE, SIDE_GOTE}},
};

TEST(WinOrder, TestsTheSidesOfTheGamesKindInOrder) {
    for (const WinOrderCase& c : kCases)
        EXPECT_EQ(winOrder(c.kind, c.sides, c.mover), c.tested) << c.name;
}

}
}
