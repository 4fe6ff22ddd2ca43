#include <gtest/gtest.h>

#include "ai/survey.h"
#include "rules/board_text.h"
#include "rules/gravity.h"

namespace quorvel {
namespace {

TEST(Survey, RecordsBothKingsWhateverTheFieldsHeld) {
    Board board;
    layFirstPosition(board);
    KingSquares kings{7, 7, 2, 2};
    勢力調査(board, kings);
    EXPECT_EQ(kings, (KingSquares{5, 9, 5, 1}));
}

TEST(Survey, FollowsAKingMovedByGravityAndNeverChangesTheBoard) {
    Board board;
    layFirstPosition(board);
    KingSquares kings;
    勢力調査(board, kings);
    重力処理_仮(board, "下");
    const Board slid = board;
    勢力調査(board, kings);
    EXPECT_EQ(kings, (KingSquares{5, 9, 5, 3}));
    EXPECT_EQ(board, slid);
    const KingSquares again = kings;
    勢力調査(board, kings);
    EXPECT_EQ(kings, again);
}

TEST(Survey, LastVisitedKingWinsAndMissingKingsKeepTheirFields) {
    Board board;
    board(2, 8) = UPPER_KING;
    board(7, 1) = UPPER_KING;
    board(7, 3) = UPPER_KING;
    KingSquares kings{4, 4, 0, 0};
    勢力調査(board, kings);
    EXPECT_EQ(kings, (KingSquares{4, 4, 7, 3}));
}

}
}
