#include <gtest/gtest.h>

#include "ai/evaluation.h"
#include "ai/survey.h"
#include "ai/trials.h"
#include "random_positions.h"
#include "rules/board_text.h"

namespace quorvel {
namespace {

constexpr Sides kSides{SIDE_SENTE, SIDE_GOTE};

TrialResult choose(const char* position) {
    Board board = fromText(position);
    Board saved;
    KingSquares kings;
    return tryDirections(board, saved, kings, kSides);
}

TEST(Trials, AllEqualScoresPlayLeft) {
    // Whichever the magnet, exactly one king crosses the board and nothing attacks: all score 1.
    const TrialResult r = choose(R"(
 k  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  K
)");
    EXPECT_EQ(r.bestDirection, "左");
    EXPECT_EQ(r.bestScore, 1);
}

TEST(Trials, UpBeatsAnEqualDown) {
    // Left and right bring the kings together (both attacked, -998); up and down score 2 each.
    const TrialResult r = choose(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 k  .  .  .  .  .  .  .  K
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
)");
    EXPECT_EQ(r.bestDirection, "上");
    EXPECT_EQ(r.bestScore, 2);
}

TEST(Trials, ADirectionThatExposesTheComputerKingLoses) {
    // Up would bring the lower rook to row 1 facing the upper king (-997); left fills two
    // squares safely, right fills two as well but comes later, down moves nothing.
    const TrialResult r = choose(R"(
 k  .  .  .  .  .  .  .  .
 *  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  R  .  .  .  K
)");
    EXPECT_EQ(r.bestDirection, "左");
    EXPECT_EQ(r.bestScore, 2);
}

TEST(TrialProperties, BoardUnchangedAndScoresInRangeOverRandomPositions) {
    int winningChoices = 0;
    int losingChoices = 0;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        const testing::RandomPosition p = testing::randomPosition(seed);
        const Sides sides = seed % 2 ? Sides{SIDE_SENTE, SIDE_GOTE} : Sides{SIDE_GOTE, SIDE_SENTE};
        Board board = p.board;
        Board saved;
        KingSquares kings;
        const TrialResult r = tryDirections(board, saved, kings, sides);
        winningChoices += r.bestScore >= 999;
        losingChoices += r.bestScore < 0;
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + toText(p.board));
        ASSERT_EQ(board, p.board);
        ASSERT_EQ(saved, p.board);
        ASSERT_GE(r.bestScore, -999);
        ASSERT_LE(r.bestScore, 1080);
        ASSERT_FALSE(r.bestDirection.empty());

        for (const Direction d : TRIAL_ORDER) {
            Board trial = p.board;
            重力処理_仮(trial, wordOf(d));
            KingSquares k;
            勢力調査(trial, k);
            const int s = 盤評価(trial, p.board, k, sides);
            ASSERT_GE(s, -999);
            ASSERT_LE(s, 1080);
            ASSERT_LE(s, r.bestScore) << "a better direction was passed over: " << wordOf(d);
        }
    }
    // The positions must exercise both decisive terms, or the checks above prove little.
    EXPECT_GT(winningChoices, 0);
    EXPECT_GT(losingChoices, 0);
}

}
}
