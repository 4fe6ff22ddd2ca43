#include <gtest/gtest.h>

#include "positions.h"
#include "rules/board_text.h"
#include "rules/check.h"

namespace quorvel {
namespace {

// Sides as in a game where the human (lower pieces) moved first.
constexpr Sides kSides{SIDE_SENTE, SIDE_GOTE};

KingSquares kingsOf(const Board& board) {
    KingSquares k;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (board(x, y) == LOWER_KING) k.manKingX = x, k.manKingY = y;
            if (board(x, y) == UPPER_KING) k.comKingX = x, k.comKingY = y;
        }
    }
    return k;
}

struct CheckCase {
    const char* name;
    const char* position;
    int side;
    bool attacked;
    int ax, ay, kx, ky;
};

class Check : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Check, ReportsTheFirstAttackerInScanOrder) {
    const CheckCase& c = GetParam();
    const Board board = fromText(c.position);
    int ox = -7, oy = -7, ox2 = -7, oy2 = -7;
    EXPECT_EQ(調査_王手(board, kingsOf(board), kSides, c.side, ox, oy, ox2, oy2), c.attacked)
        << c.name;
    if (c.attacked) {
        EXPECT_EQ(ox, c.ax);
        EXPECT_EQ(oy, c.ay);
        EXPECT_EQ(ox2, c.kx);
        EXPECT_EQ(oy2, c.ky);
    } else {
        EXPECT_EQ(ox, -7) << "out-arguments are written only on success";
        EXPECT_EQ(oy, -7);
        EXPECT_EQ(ox2, -7);
        EXPECT_EQ(oy2, -7);
    }
}

constexpr const char* kRookFacingKing = R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  k  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  R  .
 .  .  .  .  K  .  .  .  .
)";

constexpr const char* kRookBlockedByPrince = R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  k  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  *  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  R  .
 .  .  .  .  K  .  .  .  .
)";

constexpr const char* kGoldAndKnight = R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  k  .  .  .  .  .  .
 .  .  G  .  .  .  .  .  .
 .  N  .  .  K  .  .  .  .
)";

constexpr const char* kKingsTouching = R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  k  .  .  .  .
 .  .  .  .  K  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)";

INSTANTIATE_TEST_SUITE_P(
    Cases, Check,
    ::testing::Values(
        CheckCase{"FirstPositionLower", testing::kFirstPositionText, SIDE_SENTE, false, 0, 0, 0, 0},
        CheckCase{"FirstPositionUpper", testing::kFirstPositionText, SIDE_GOTE, false, 0, 0, 0, 0},
        CheckCase{"RookDownTheColumn", kRookFacingKing, SIDE_SENTE, true, 8, 8, 8, 3},
        CheckCase{"UpperSideDoesNotAttack", kRookFacingKing, SIDE_GOTE, false, 0, 0, 0, 0},
        CheckCase{"PrinceBlocksTheRook", kRookBlockedByPrince, SIDE_SENTE, false, 0, 0, 0, 0},
        CheckCase{"SmallerColumnReported", kGoldAndKnight, SIDE_SENTE, true, 2, 9, 3, 7},
        CheckCase{"NoSideTestsNothing", kKingsTouching, SIDE_NONE, false, 0, 0, 0, 0},
        CheckCase{"TouchingKingsLower", kKingsTouching, SIDE_SENTE, true, 5, 5, 5, 4},
        CheckCase{"TouchingKingsUpper", kKingsTouching, SIDE_GOTE, true, 5, 4, 5, 5}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(Check, UnsurveyedKingSquaresReportNoAttack) {
    const Board board = fromText(kKingsTouching);
    int ox = 0, oy = 0, ox2 = 0, oy2 = 0;
    EXPECT_FALSE(調査_王手(board, KingSquares{}, kSides, SIDE_SENTE, ox, oy, ox2, oy2));
    EXPECT_FALSE(調査_王手(board, KingSquares{}, kSides, SIDE_GOTE, ox, oy, ox2, oy2));
}

TEST(Check, SidesAreComparedByIdentifierNotByColour) {
    // With the computer moving first the lower pieces belong to SIDE_GOTE.
    const Board board = fromText(kRookFacingKing);
    const Sides computerFirst{SIDE_GOTE, SIDE_SENTE};
    int ox = 0, oy = 0, ox2 = 0, oy2 = 0;
    EXPECT_TRUE(調査_王手(board, kingsOf(board), computerFirst, SIDE_GOTE, ox, oy, ox2, oy2));
    EXPECT_FALSE(調査_王手(board, kingsOf(board), computerFirst, SIDE_SENTE, ox, oy, ox2, oy2));
}

}
}
