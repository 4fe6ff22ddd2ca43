#include <gtest/gtest.h>

#include "ai/evaluation.h"
#include "ai/survey.h"
#include "rules/board_text.h"

namespace quorvel {
namespace {

// The computer plays the upper pieces and moves second.
constexpr Sides kSides{SIDE_SENTE, SIDE_GOTE};

int score(const char* before, const char* after) {
    const Board saved = fromText(before);
    const Board board = fromText(after);
    KingSquares kings;
    勢力調査(board, kings);
    return 盤評価(board, saved, kings, kSides);
}

constexpr const char* kQuiet = R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)";

TEST(Evaluation, CountsOnlySquaresThatWereEmptyBefore) {
    struct Row {
        const char* name;
        const char* before;
        const char* after;
        int expected;
    } rows[] = {
        {"unchanged board", kQuiet, kQuiet, 0},
        {"three pieces onto empty squares", R"(
 .  .  .  .  k  .  .  .  .
 p  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 G  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  S
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)",
         R"(
 .  .  .  .  k  .  .  .  .
 .  p  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  G  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  S  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)",
         3},
        {"two adjacent pieces each one step add one", R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  P  P  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)",
         R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  P  P  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)",
         1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(score(r.before, r.after), r.expected) << r.name;
}

constexpr const char* kHumanKingAttacked = R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  K  .  .  .  .
)";

constexpr const char* kComputerKingAttacked = R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  G  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)";

constexpr const char* kBothAttacked = R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  G  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  K  .  .  .  .
)";

TEST(Evaluation, AttackedKingsDecideTheTerm) {
    // The "before" board is the same position without the attacking golds, so each gold adds 1.
    EXPECT_EQ(score(kQuiet, kHumanKingAttacked), 999 + 1);
    EXPECT_EQ(score(kQuiet, kComputerKingAttacked), -999 + 1);
    EXPECT_EQ(score(kQuiet, kBothAttacked), -999 + 2);
}

}
}
