#include <gtest/gtest.h>

#include <algorithm>

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

// Each direction scored on its own slid copy; the best is the first of the highest scores in the
// order left, right, up, down.
TEST(TrialProperties, BoardUnchangedAndTheFirstBestDirectionChosenOverRandomPositions) {
    const Direction order[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    int winningChoices = 0, losingChoices = 0, tiesForBest = 0;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        const testing::RandomPosition p = testing::randomPosition(seed);
        const Sides sides = seed % 2 ? Sides{SIDE_SENTE, SIDE_GOTE} : Sides{SIDE_GOTE, SIDE_SENTE};
        int scores[4];
        for (int i = 0; i < 4; ++i) {
            Board trial = p.board;
            slide(trial, order[i]);
            KingSquares k;
            勢力調査(trial, k);
            scores[i] = 盤評価(trial, p.board, k, sides);
        }
        const int best = static_cast<int>(std::max_element(scores, scores + 4) - scores);
        tiesForBest += std::count(scores, scores + 4, scores[best]) > 1;

        Board board = p.board;
        Board saved;
        KingSquares kings;
        const TrialResult r = tryDirections(board, saved, kings, sides);
        winningChoices += r.bestScore >= 999;
        losingChoices += r.bestScore < 0;
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + toText(p.board));
        ASSERT_EQ(board, p.board);
        ASSERT_EQ(saved, p.board);
        ASSERT_EQ(r.bestScore, scores[best]);
        ASSERT_EQ(r.bestDirection, wordOf(order[best]));
    }
    // The positions must exercise both decisive terms and the order among equals.
    EXPECT_GT(winningChoices, 0);
    EXPECT_GT(losingChoices, 0);
    EXPECT_GT(tiesForBest, 0);
}

}
}
