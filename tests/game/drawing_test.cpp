#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(GameTest, BackgroundSkipsTheBoardSquares) {
    load();
    game.描画_背景(BACKGROUND_RENGA);
    EXPECT_EQ(fake.countPrefix("picture 6 "), 559);
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            EXPECT_EQ(fake.count("picture 6 " + std::to_string(x) + " " + std::to_string(y)), 0);
        }
    }
}

TEST_F(GameTest, FullRedrawDrawsInItsOrder) {
    load();
    game.画面_再描画();
    const int lastTile = fake.find("picture 2 28 17");
    const int firstSquare = fake.find("picture 20 1 1");
    const int upperClock = fake.find("text [00:00:00] 558 6308 15 12");
    const int lowerClock = fake.find("text [00:00:00] 7785 6308 15 12");
    const int magnet = fake.find("picture 201 5 -1");
    const int logo = fake.find("picture 1 10.8 0");
    EXPECT_LT(lastTile, firstSquare);
    EXPECT_LT(firstSquare, upperClock);
    EXPECT_LT(upperClock, lowerClock);
    EXPECT_LT(lowerClock, magnet);
    EXPECT_LT(magnet, logo);
    EXPECT_EQ(fake.log.back(), "refresh");
}

TEST_F(GameTest, BlinkOfZeroDrawsNothingAndThreeEndsShowingThePiece) {
    load();
    game.描画_駒点滅(UPPER_KING, 5, 1, 0, EMPTY, winOutlineColour);
    EXPECT_TRUE(fake.log.empty());
    const double start = fake.now;
    game.描画_駒点滅(UPPER_KING, 5, 1, 3, EMPTY, winOutlineColour);
    EXPECT_NEAR(fake.now - start, 1.2, 1e-9);
    EXPECT_EQ(fake.count("picture 0 5 1"), 3);
    EXPECT_EQ(fake.count("outline 12 5 1"), 6);
    const auto last = std::find_if(fake.log.rbegin(), fake.log.rend(),
                                   [](const std::string& l) { return l.rfind("picture", 0) == 0; });
    EXPECT_EQ(*last, "picture 950 5 1");
}

TEST_F(GameTest, MoveNumberShiftsLeftAsItGrowsAndTheSuffixStays) {
    load();
    const struct {
        int number;
        const char* text;
    } rows[] = {{9, "text [ 9] 7884 2679.5 15 12"},
                {10, "text [ 10] 7834.5 2679.5 15 12"},
                {100, "text [ 100] 7785 2679.5 15 12"},
                {1000, "text [ 1000] 7636.5 2679.5 15 12"},
                {10000, "text [ 10000] 7488 2679.5 15 12"}};
    for (const auto& r : rows) {
        clearLog();
        game.描画_手数(r.number, textColour);
        EXPECT_EQ(fake.count(r.text), 1) << r.number;
        EXPECT_EQ(fake.count("text [手目] 8301 2716.5 15 10"), 1);
    }
}

TEST_F(GameTest, UpperClockRedrawRestoresTheGridLineOfTheCornerSquare) {
    load();
    game.描画_所有時間(s.sides.comSide, 0);
    const int tile = fake.find("picture 2 0 9");
    const int outline = fake.find("outline 2 1 9", tile);
    EXPECT_GE(tile, 0);
    EXPECT_GT(outline, tile);
}

TEST_F(GameTest, ClockPanelsPrintNothingWhileHidden) {
    fake.settingsFile->at(2) = "経過時間=OFF";
    load();
    game.描画_所有時間(s.sides.manSide, 12);
    game.描画_所有時間(s.sides.comSide, 12);
    EXPECT_TRUE(fake.log.empty());
}

}
}
