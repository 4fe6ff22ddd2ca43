#include <gtest/gtest.h>

#include "positions.h"
#include "rules/board_text.h"
#include "rules/move_check.h"

namespace quorvel {
namespace {

Board first() {
    return testing::firstPosition();
}

// An upper king on (8, 3) facing the lower rook on (8, 8) down an empty column.
Board rookFacingKing() {
    return fromText(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  k  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  R  .
 .  .  .  .  .  .  .  .  .
)");
}

struct MoveCase {
    const char* name;
    Board board;
    int fromX, fromY, toX, toY, code;
    bool allowed;
};

Board with(Board b, int x, int y, int code) {
    b(x, y) = code;
    return b;
}

Board lanceColumn(int blockerY) {
    Board b;
    b(1, 1) = UPPER_LANCE;
    if (blockerY) b(1, blockerY) = blockerY == 3 ? PRINCE : LOWER_PAWN;
    return b;
}

class MoveCheck : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCheck, AnswersAsTheShogiMoveAllows) {
    const MoveCase& c = GetParam();
    EXPECT_EQ(移動チェック(c.board, c.fromX, c.fromY, c.toX, c.toY, c.code), c.allowed)
        << c.name << "\n"
        << toText(c.board);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoveCheck,
    ::testing::Values(
        MoveCase{"lower pawn forward", first(), 5, 7, 5, 6, LOWER_PAWN, true},
        MoveCase{"lower pawn backward onto own piece", first(), 5, 7, 5, 8, LOWER_PAWN, false},
        MoveCase{"no move", first(), 5, 7, 5, 7, LOWER_PAWN, false},
        MoveCase{"lower pawn sideways", with(Board{}, 5, 7, LOWER_PAWN), 5, 7, 4, 7, LOWER_PAWN,
                 false},
        MoveCase{"upper pawn forward is down", Board{}, 5, 3, 5, 4, UPPER_PAWN, true},
        MoveCase{"upper pawn up is backward", Board{}, 5, 3, 5, 2, UPPER_PAWN, false},
        MoveCase{"knight onto own pawn", first(), 2, 1, 1, 3, UPPER_KNIGHT, false},
        MoveCase{"knight onto own pawn right", first(), 2, 1, 3, 3, UPPER_KNIGHT, false},
        MoveCase{"knight jumps over the rook", with(first(), 3, 3, EMPTY), 2, 1, 3, 3, UPPER_KNIGHT,
                 true},
        MoveCase{"knight one row is no knight move", Board{}, 2, 1, 3, 2, UPPER_KNIGHT, false},
        MoveCase{"lower knight jumps up", Board{}, 2, 9, 3, 7, LOWER_KNIGHT, true},
        MoveCase{"lance clear column", lanceColumn(0), 1, 1, 1, 6, UPPER_LANCE, true},
        MoveCase{"lance blocked by piece", lanceColumn(4), 1, 1, 1, 6, UPPER_LANCE, false},
        MoveCase{"lance blocked by prince", lanceColumn(3), 1, 1, 1, 6, UPPER_LANCE, false},
        MoveCase{"lance onto own piece", with(lanceColumn(0), 1, 6, UPPER_PAWN), 1, 1, 1, 6,
                 UPPER_LANCE, false},
        MoveCase{"lance onto enemy piece", with(lanceColumn(0), 1, 6, LOWER_PAWN), 1, 1, 1, 6,
                 UPPER_LANCE, true},
        MoveCase{"lance backward", Board{}, 1, 5, 1, 4, UPPER_LANCE, false},
        MoveCase{"rook gives check", rookFacingKing(), 8, 8, 8, 3, LOWER_ROOK, true},
        MoveCase{"rook blocked by prince", with(rookFacingKing(), 8, 5, PRINCE), 8, 8, 8, 3,
                 LOWER_ROOK, false},
        MoveCase{"rook along a row", Board{}, 1, 5, 9, 5, LOWER_ROOK, true},
        MoveCase{"rook diagonal", Board{}, 1, 1, 3, 3, LOWER_ROOK, false},
        MoveCase{"bishop blocked in first position", first(), 8, 2, 2, 8, UPPER_BISHOP, false},
        MoveCase{"bishop clear diagonal", Board{}, 8, 2, 2, 8, UPPER_BISHOP, true},
        MoveCase{"bishop not on a diagonal", Board{}, 8, 2, 2, 7, UPPER_BISHOP, false},
        MoveCase{"promoted bishop steps sideways", first(), 2, 8, 3, 8, LOWER_BISHOP_PROMOTED,
                 true},
        MoveCase{"promoted bishop long diagonal", Board{}, 2, 8, 6, 4, LOWER_BISHOP_PROMOTED, true},
        MoveCase{"promoted bishop long straight", Board{}, 2, 8, 2, 4, LOWER_BISHOP_PROMOTED,
                 false},
        MoveCase{"promoted rook steps diagonally", Board{}, 5, 5, 6, 6, UPPER_ROOK_PROMOTED, true},
        MoveCase{"promoted rook long diagonal", Board{}, 5, 5, 7, 7, UPPER_ROOK_PROMOTED, false},
        MoveCase{"silver steps back diagonally", Board{}, 5, 5, 4, 4, UPPER_SILVER, true},
        MoveCase{"silver does not step back straight", Board{}, 5, 5, 5, 4, UPPER_SILVER, false},
        MoveCase{"silver does not step sideways", Board{}, 5, 5, 6, 5, LOWER_SILVER, false},
        MoveCase{"gold steps back straight", Board{}, 5, 5, 5, 4, UPPER_GOLD, true},
        MoveCase{"gold does not step back diagonally", Board{}, 5, 5, 4, 4, UPPER_GOLD, false},
        MoveCase{"gold steps sideways", Board{}, 5, 5, 6, 5, LOWER_GOLD, true},
        MoveCase{"promoted pawn moves as gold", Board{}, 5, 5, 5, 6, LOWER_PAWN_PROMOTED, true},
        MoveCase{"promoted silver back-diagonal is no gold step", Board{}, 5, 5, 4, 6,
                 LOWER_SILVER_PROMOTED, false},
        MoveCase{"king steps diagonally", Board{}, 5, 5, 6, 6, LOWER_KING, true},
        MoveCase{"king does not go two squares", Board{}, 5, 5, 5, 7, LOWER_KING, false},
        MoveCase{"prince onto empty square", first(), 5, 5, 5, 4, PRINCE, true},
        MoveCase{"prince onto a lower piece", with(first(), 5, 4, LOWER_PAWN), 5, 5, 5, 4, PRINCE,
                 false},
        MoveCase{"prince onto an upper piece", with(first(), 5, 4, UPPER_PAWN), 5, 5, 5, 4, PRINCE,
                 false},
        MoveCase{"prince off the left edge", Board{}, 1, 5, 0, 5, PRINCE, false},
        MoveCase{"prince diagonally when asked", Board{}, 5, 5, 6, 4, PRINCE, true},
        MoveCase{"gold off the bottom edge", Board{}, 4, 9, 4, 10, LOWER_GOLD, false},
        MoveCase{"upper piece onto the prince", with(Board{}, 5, 4, PRINCE), 5, 5, 5, 4, UPPER_KING,
                 false},
        MoveCase{"lower piece onto the prince", with(Board{}, 5, 4, PRINCE), 5, 5, 5, 4, LOWER_KING,
                 true}),
    [](const ::testing::TestParamInfo<MoveCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

}
}
