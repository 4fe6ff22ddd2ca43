#include <gtest/gtest.h>

#include <vector>

#include "positions.h"
#include "rules/board_text.h"
#include "rules/gravity.h"

namespace quorvel {
namespace {

Board first() {
    return testing::firstPosition();
}

struct SlideCase {
    const char* name;
    Board before;
    const char* word;
    int steps;
    const char* after;
};

class Slide : public ::testing::TestWithParam<SlideCase> {};

TEST_P(Slide, EndsAsExpectedAfterTheExpectedSteps) {
    const SlideCase& c = GetParam();
    Board board = c.before;
    int observed = 0;
    const int steps = slide(board, *directionFromWord(c.word), [&](const Board&) { ++observed; });
    EXPECT_EQ(steps, c.steps);
    EXPECT_EQ(observed, c.steps);
    EXPECT_EQ(toText(board), toText(fromText(c.after)));
}

Board single(int x, int y, int code) {
    Board b;
    b(x, y) = code;
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Slide,
    ::testing::Values(SlideCase{"FirstPositionDown", first(), "下", 5, R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  k  .  .  .  .
 .  n  .  .  p  .  .  n  .
 .  r  .  .  *  .  .  b  .
 l  p  s  g  .  g  s  p  l
 p  P  p  p  .  p  p  P  p
 P  B  P  P  P  P  P  R  P
 L  N  S  G  K  G  S  N  L
)"},
                      SlideCase{"FirstPositionRight", first(), "右", 6, R"(
 l  n  s  g  k  g  s  n  l
 .  .  .  .  .  .  .  r  b
 p  p  p  p  p  p  p  p  p
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 P  P  P  P  P  P  P  P  P
 .  .  .  .  .  .  .  B  R
 L  N  S  G  K  G  S  N  L
)"},
                      SlideCase{"LonePieceCrossesTheRow", single(1, 4, LOWER_GOLD), "右", 8, R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  G
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"},
                      SlideCase{"PiecesStopBehindThePrince", fromText(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 p  .  N  .  .  *  r  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"),
                                "右", 3, R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  p  N  *  .  .  r
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"},
                      SlideCase{"UpStopsUnderThePrinceAndThePieceNextToIt", fromText(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  B  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  S  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"),
                                "上", 5, R"(
 .  .  B  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  S  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"},
                      SlideCase{"ALineMovesFromItsFront", fromText(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  P  P  P  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"),
                                "左", 5, R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 P  P  P  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
)"}),
    [](const ::testing::TestParamInfo<SlideCase>& info) { return std::string(info.param.name); });

TEST(Slide, LeadingPieceMovesFirstAndTheOneBehindWaitsAStep) {
    Board board;
    board(4, 5) = LOWER_PAWN;
    board(5, 5) = LOWER_GOLD;
    std::vector<std::string> frames;
    slide(board, Direction::Left, [&](const Board& b) { frames.push_back(toText(b)); });
    ASSERT_GE(frames.size(), 2u);
    const Board afterFirst = fromText(frames[0]);
    EXPECT_EQ(afterFirst(3, 5), LOWER_PAWN);
    EXPECT_EQ(afterFirst(5, 5), LOWER_GOLD) << "the gold's neighbour was occupied when marked";
    const Board afterSecond = fromText(frames[1]);
    EXPECT_EQ(afterSecond(4, 5), LOWER_GOLD);
}

TEST(ProvisionalGravity, UnknownWordsChangeNothing) {
    for (const char* word : {"", "左右", "left", "ひだり", " 左", "下 "}) {
        Board board = first();
        重力処理_仮(board, word);
        EXPECT_EQ(board, first()) << "word: [" << word << "]";
    }
}

// A lone gold on (3, 4), the prince off its row and column: each word takes it to one edge.
TEST(ProvisionalGravity, EachWordSlidesTowardItsMagnet) {
    const struct {
        const char* word;
        Direction direction;
        int x, y;
    } rows[] = {{"左", Direction::Left, 1, 4},
                {"右", Direction::Right, 9, 4},
                {"上", Direction::Up, 3, 1},
                {"下", Direction::Down, 3, 9}};
    for (const auto& row : rows) {
        Board board = single(3, 4, LOWER_GOLD);
        board(7, 7) = PRINCE;
        重力処理_仮(board, row.word);
        Board expected = single(row.x, row.y, LOWER_GOLD);
        expected(7, 7) = PRINCE;
        EXPECT_EQ(toText(board), toText(expected)) << row.word;
        EXPECT_EQ(wordOf(row.direction), row.word);
        EXPECT_EQ(directionFromWord(row.word), row.direction);
    }
}

}
}
