// The help window's pictures show what the rules do.

#include "ui/help_pictures.h"

#include <gtest/gtest.h>

#include "ai/survey.h"
#include "rules/check.h"
#include "rules/move_check.h"
#include "ui/art/pictures.h"

namespace quorvel {
namespace {

bool someoneWins(const Board& board) {
    KingSquares kings;
    勢力調査(board, kings);
    const Sides sides{SIDE_SENTE, SIDE_GOTE};
    int ax = 0, ay = 0, kx = 0, ky = 0;
    return 調査_王手(board, kings, sides, SIDE_SENTE, ax, ay, kx, ky) ||
           調査_王手(board, kings, sides, SIDE_GOTE, ax, ay, kx, ky);
}

// Replayed from the first position, the presses give the two pictures; no earlier press ended
// the game, and the red outlines mark a piece that really reaches the other side's king.
TEST(HelpPictures, WinExampleIsAGameThatReallyEndsThere) {
    const std::optional<WinExample> win = findWinExample(8);
    ASSERT_TRUE(win.has_value());
    Board board;
    layFirstPosition(board);
    for (std::size_t i = 0; i < win->presses.size(); ++i) {
        if (i + 1 == win->presses.size()) {
            EXPECT_EQ(board, win->before);
        }
        EXPECT_FALSE(someoneWins(board)) << "the game ended before press " << i;
        playMagnet(board, win->presses[i]);
    }
    EXPECT_EQ(board, win->after);
    const int attacker = board(win->attacker.x, win->attacker.y);
    const int king = board(win->king.x, win->king.y);
    EXPECT_EQ(king, win->lowerWins ? UPPER_KING : LOWER_KING);
    EXPECT_EQ(isLowerCode(attacker), win->lowerWins);
    EXPECT_TRUE(
        移動チェック(board, win->attacker.x, win->attacker.y, win->king.x, win->king.y, attacker));
    // Nothing shorter ends a game.
    EXPECT_FALSE(findWinExample(int(win->presses.size()) - 1).has_value());
}

// The prince's two cases of the help window: a free square ahead and a blocked one.
TEST(HelpPictures, PrinceStepsOnlyIntoAFreeSquare) {
    Board board;
    board(5, 5) = PRINCE;
    EXPECT_TRUE(playMagnet(board, Direction::Up));
    EXPECT_EQ(princeOf(board), (Square{5, 4}));
    board(5, 3) = UPPER_SILVER;
    board(5, 8) = LOWER_GOLD;
    EXPECT_FALSE(playMagnet(board, Direction::Up));
    EXPECT_EQ(princeOf(board), (Square{5, 4}));
    EXPECT_EQ(board(5, 1), UPPER_SILVER);
    EXPECT_EQ(board(5, 5), LOWER_GOLD);  // stopped by the prince
}

TEST(HelpPictures, DiagramsAreDrawnAtThePicturesRatio) {
    for (const qreal ratio : {1.0, 2.0}) {
        PictureSet pictures(ratio);
        Diagram framed;
        layFirstPosition(framed.board);
        const QImage board = drawDiagram(framed, pictures);
        EXPECT_EQ(board.devicePixelRatio(), ratio);
        EXPECT_EQ(board.size(), QSize(11 * 33, 11 * 41) * ratio);
        Diagram bare;
        bare.fromX = bare.fromY = 3;
        bare.toX = bare.toY = 7;
        bare.frame = false;
        EXPECT_EQ(drawDiagram(bare, pictures).size(), QSize(5 * 33, 5 * 41) * ratio);
    }
}

}
}
