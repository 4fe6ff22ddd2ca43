#include <gtest/gtest.h>

#include "positions.h"
#include "rules/board.h"
#include "rules/board_text.h"

namespace quorvel {
namespace {

TEST(FirstPosition, MatchesTheLayoutTable) {
    Board board;
    layFirstPosition(board);
    EXPECT_EQ(toText(board), toText(fromText(testing::kFirstPositionText)));
    EXPECT_EQ(board(2, 2), UPPER_ROOK);
    EXPECT_EQ(board(8, 2), UPPER_BISHOP);
    EXPECT_EQ(board(2, 8), LOWER_BISHOP);
    EXPECT_EQ(board(8, 8), LOWER_ROOK);
    EXPECT_EQ(board(5, 1), UPPER_KING);
    EXPECT_EQ(board(5, 9), LOWER_KING);
    EXPECT_EQ(board(5, 5), PRINCE);
}

TEST(FirstPosition, IsPointSymmetricExceptThePrince) {
    Board board;
    layFirstPosition(board);
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (x == 5 && y == 5) continue;
            EXPECT_EQ(board(x, y), -board(10 - x, 10 - y)) << "at (" << x << ", " << y << ")";
        }
    }
}

TEST(FirstPosition, OverwritesWhateverTheBoardHeld) {
    Board board;
    for (int x = 0; x <= boardSize; ++x) {
        for (int y = 0; y <= boardSize; ++y)
            board(x, y) = UPPER_ROOK_PROMOTED;
    }
    board(3, 4) = PRINCE;
    board(1, 1) = MAGNET_UP;
    layFirstPosition(board);
    Board fresh;
    layFirstPosition(fresh);
    EXPECT_EQ(board, fresh);
    int princes = 0;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y)
            princes += board(x, y) == PRINCE;
    }
    EXPECT_EQ(princes, 1);
}

TEST(FirstPosition, HasTwentyPiecesASide) {
    Board board;
    layFirstPosition(board);
    int upper = 0, lower = 0;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            upper += isUpperCode(board(x, y)) && board(x, y) != PRINCE;
            lower += isLowerCode(board(x, y));
        }
    }
    EXPECT_EQ(upper, 20);
    EXPECT_EQ(lower, 20);
}

}
}
