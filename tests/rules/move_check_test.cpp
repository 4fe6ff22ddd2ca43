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
        MoveCase{"knight onto own pawn", first(), 2, 1, 1, 3, UPPER_KNIGHT, false},
        MoveCase{"knight jumps over the rook", with(first(), 3, 3, EMPTY), 2, 1, 3, 3, UPPER_KNIGHT,
                 true},
        MoveCase{"lance clear column", lanceColumn(0), 1, 1, 1, 6, UPPER_LANCE, true},
        MoveCase{"lance blocked by piece", lanceColumn(4), 1, 1, 1, 6, UPPER_LANCE, false},
        MoveCase{"lance blocked by prince", lanceColumn(3), 1, 1, 1, 6, UPPER_LANCE, false},
        MoveCase{"lance onto own piece", with(lanceColumn(0), 1, 6, UPPER_PAWN), 1, 1, 1, 6,
                 UPPER_LANCE, false},
        MoveCase{"lance onto enemy piece", with(lanceColumn(0), 1, 6, LOWER_PAWN), 1, 1, 1, 6,
                 UPPER_LANCE, true},
        MoveCase{"lower lance clear column", Board{}, 1, 9, 1, 2, LOWER_LANCE, true},
        MoveCase{"lower lance blocked by prince", with(Board{}, 1, 5, PRINCE), 1, 9, 1, 2,
                 LOWER_LANCE, false},
        MoveCase{"lower lance onto enemy piece", with(Board{}, 1, 2, UPPER_PAWN), 1, 9, 1, 2,
                 LOWER_LANCE, true},
        MoveCase{"rook gives check", rookFacingKing(), 8, 8, 8, 3, LOWER_ROOK, true},
        MoveCase{"rook blocked by prince", with(rookFacingKing(), 8, 5, PRINCE), 8, 8, 8, 3,
                 LOWER_ROOK, false},
        MoveCase{"rook along a row", Board{}, 1, 5, 9, 5, LOWER_ROOK, true},
        MoveCase{"bishop blocked in first position", first(), 8, 2, 2, 8, UPPER_BISHOP, false},
        MoveCase{"bishop clear diagonal", Board{}, 8, 2, 2, 8, UPPER_BISHOP, true},
        MoveCase{"bishop not on a diagonal", Board{}, 8, 2, 2, 7, UPPER_BISHOP, false},
        MoveCase{"promoted bishop steps sideways", first(), 2, 8, 3, 8, LOWER_BISHOP_PROMOTED,
                 true},
        MoveCase{"promoted bishop long diagonal", Board{}, 2, 8, 6, 4, LOWER_BISHOP_PROMOTED, true},
        MoveCase{"promoted bishop long straight", Board{}, 2, 8, 2, 4, LOWER_BISHOP_PROMOTED,
                 false},
        MoveCase{"prince onto empty square", first(), 5, 5, 5, 4, PRINCE, true},
        MoveCase{"prince onto a lower piece", with(first(), 5, 4, LOWER_PAWN), 5, 5, 5, 4, PRINCE,
                 false},
        MoveCase{"prince onto an upper piece", with(first(), 5, 4, UPPER_PAWN), 5, 5, 5, 4, PRINCE,
                 false},
        MoveCase{"prince off the left edge", Board{}, 1, 5, 0, 5, PRINCE, false},
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

// Every code's reach from (5, 5) on an empty board over the 5 x 5 squares around it, rows top
// to bottom: "x" reachable, "o" the piece itself. The upper side moves down the screen.
TEST(MoveCheck, EveryCodeOfBothSidesReachesItsOwnSquares) {
    const char* gold = ".....|..x..|.xox.|.xxx.|.....";
    const char* lowerGold = ".....|.xxx.|.xox.|..x..|.....";
    const char* king = ".....|.xxx.|.xox.|.xxx.|.....";
    const char* bishop = "x...x|.x.x.|..o..|.x.x.|x...x";
    const char* rook = "..x..|..x..|xxoxx|..x..|..x..";
    const char* horse = "x...x|.xxx.|.xox.|.xxx.|x...x";
    const char* dragon = "..x..|.xxx.|xxoxx|.xxx.|..x..";
    const struct {
        int upper;
        const char* upperReach;
        int lower;
        const char* lowerReach;
    } rows[] = {
        {UPPER_PAWN, ".....|.....|..o..|..x..|.....", LOWER_PAWN, ".....|..x..|..o..|.....|....."},
        {UPPER_LANCE, ".....|.....|..o..|..x..|..x..", LOWER_LANCE,
         "..x..|..x..|..o..|.....|....."},
        {UPPER_KNIGHT, ".....|.....|..o..|.....|.x.x.", LOWER_KNIGHT,
         ".x.x.|.....|..o..|.....|....."},
        {UPPER_SILVER, ".....|.x.x.|..o..|.xxx.|.....", LOWER_SILVER,
         ".....|.xxx.|..o..|.x.x.|....."},
        {UPPER_GOLD, gold, LOWER_GOLD, lowerGold},
        {UPPER_PAWN_PROMOTED, gold, LOWER_PAWN_PROMOTED, lowerGold},
        {UPPER_LANCE_PROMOTED, gold, LOWER_LANCE_PROMOTED, lowerGold},
        {UPPER_KNIGHT_PROMOTED, gold, LOWER_KNIGHT_PROMOTED, lowerGold},
        {UPPER_SILVER_PROMOTED, gold, LOWER_SILVER_PROMOTED, lowerGold},
        {UPPER_BISHOP, bishop, LOWER_BISHOP, bishop},
        {UPPER_ROOK, rook, LOWER_ROOK, rook},
        {UPPER_BISHOP_PROMOTED, horse, LOWER_BISHOP_PROMOTED, horse},
        {UPPER_ROOK_PROMOTED, dragon, LOWER_ROOK_PROMOTED, dragon},
        {UPPER_KING, king, LOWER_KING, king},
        {PRINCE, king, PRINCE, king},
    };
    auto reachOf = [](int code) {
        std::string reach;
        for (int y = 3; y <= 7; ++y) {
            for (int x = 3; x <= 7; ++x) {
                const bool centre = x == 5 && y == 5;
                reach += 移動チェック(Board{}, 5, 5, x, y, code) ? 'x' : centre ? 'o' : '.';
            }
            if (y < 7) reach += '|';
        }
        return reach;
    };
    for (const auto& row : rows) {
        EXPECT_EQ(reachOf(row.upper), row.upperReach) << "code " << row.upper;
        EXPECT_EQ(reachOf(row.lower), row.lowerReach) << "code " << row.lower;
    }
}

}
}
