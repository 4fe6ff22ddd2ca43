#include <gtest/gtest.h>

#include <stdexcept>

#include "rules/board_text.h"

namespace quorvel {
namespace {

TEST(BoardText, RoundTripsEveryCode) {
    const int codes[] = {EMPTY,
                         UPPER_PAWN,
                         UPPER_LANCE,
                         UPPER_KNIGHT,
                         UPPER_SILVER,
                         UPPER_GOLD,
                         UPPER_BISHOP,
                         UPPER_ROOK,
                         UPPER_KING,
                         PRINCE,
                         UPPER_PAWN_PROMOTED,
                         UPPER_LANCE_PROMOTED,
                         UPPER_KNIGHT_PROMOTED,
                         UPPER_SILVER_PROMOTED,
                         UPPER_BISHOP_PROMOTED,
                         UPPER_ROOK_PROMOTED};
    Board board;
    int i = 0;
    for (int code : codes) {
        board(i % 9 + 1, i / 9 + 1) = code;
        ++i;
        if (code != EMPTY && code != PRINCE) {
            board(i % 9 + 1, i / 9 + 1) = -code;
            ++i;
        }
    }
    EXPECT_EQ(fromText(toText(board)), board) << toText(board);
}

TEST(BoardText, RejectsUnknownTokensAndWrongCounts) {
    EXPECT_THROW(fromText("x"), std::invalid_argument);
    EXPECT_THROW(fromText(". . ."), std::invalid_argument);
    std::string tooMany;
    for (int i = 0; i < 82; ++i)
        tooMany += ". ";
    EXPECT_THROW(fromText(tooMany), std::invalid_argument);
}

}
}
