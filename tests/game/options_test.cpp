#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(GameTest, ChoosingSpaceChecksOnlyItSavesAndRedrawsOverIt) {
    load();
    game.onBackgroundItem(BACKGROUND_UCHU);
    EXPECT_TRUE(fake.marks[MenuItem::UCHU]);
    EXPECT_FALSE(fake.marks[MenuItem::MIDORI]);
    EXPECT_FALSE(fake.marks[MenuItem::TATAMI]);
    EXPECT_EQ(s.backgroundPicture, BACKGROUND_UCHU);
    ASSERT_TRUE(fake.settingsFile);
    EXPECT_EQ(fake.settingsFile->at(0), "背景画=宇宙");
    // The background over cells (-3..28, -2..17) less the board's squares: 640 - 81 = 559
    // tiles; then the six tiles that erase the two clock panels.
    EXPECT_EQ(fake.countPrefix("picture 5 "), 565);
    EXPECT_EQ(fake.log.back(), "refresh");
}

TEST_F(GameTest, ChoosingTheCheckedBackgroundAgainSavesAndRedraws) {
    load();
    const int writes = fake.settingsWrites;
    game.onBackgroundItem(BACKGROUND_MIDORI);
    EXPECT_EQ(fake.settingsWrites, writes + 1);
    EXPECT_EQ(fake.countPrefix("picture 2 "), 565);
    EXPECT_TRUE(fake.marks[MenuItem::MIDORI]);
}

TEST_F(GameTest, ClocksOffErasesBothPanelsAndStopsTheTimerOnPrintsTotals) {
    load();
    game.onStart();
    clearLog();
    game.onKeika();
    EXPECT_FALSE(fake.marks[MenuItem::KEIKA]);
    EXPECT_FALSE(fake.timer);
    EXPECT_EQ(fake.settingsFile->at(2), "経過時間=OFF");
    for (const char* tile : {"picture 2 13 9", "picture 2 14 9", "picture 2 15 9", "picture 2 -2 9",
                             "picture 2 -1 9", "picture 2 0 9"}) {
        EXPECT_EQ(fake.count(tile), 1) << tile;
    }
    clearLog();
    game.onKeika();
    EXPECT_TRUE(fake.timer);
    EXPECT_EQ(fake.count("text [00:00:00] 7785 6308 15 12"), 1);
    EXPECT_EQ(fake.count("text [00:00:00] 558 6308 15 12"), 1);
    EXPECT_EQ(fake.settingsFile->at(2), "経過時間=ON");
}

TEST_F(GameTest, MusicTogglesAndIsSaved) {
    load();
    game.onBgm();
    EXPECT_TRUE(fake.marks[MenuItem::BGM]);
    EXPECT_EQ(fake.log.back(), "loop 5");
    EXPECT_EQ(fake.settingsFile->at(3), "BGM=ON");
    game.onBgm();
    EXPECT_FALSE(fake.marks[MenuItem::BGM]);
    EXPECT_EQ(fake.count("stop 5"), 1);
    EXPECT_EQ(fake.settingsFile->at(3), "BGM=OFF");
}

TEST_F(GameTest, MoveGuidanceChangesNothing) {
    fake.settingsFile->at(1) = "移動指導=ON";
    load();
    const auto file = fake.settingsFile;
    game.onSidou();
    game.onSidou();
    EXPECT_TRUE(fake.marks[MenuItem::SIDOU]);
    EXPECT_EQ(fake.settingsFile, file);
    EXPECT_EQ(fake.settingsWrites, 0);
}

TEST_F(GameTest, AFailedSaveKeepsTheUsersMarks) {
    load();
    fake.settingsWritable = false;
    game.onBackgroundItem(BACKGROUND_RENGA);
    game.onBgm();
    EXPECT_TRUE(fake.marks[MenuItem::RENGA]);
    EXPECT_FALSE(fake.marks[MenuItem::MIDORI]);
    EXPECT_TRUE(fake.marks[MenuItem::BGM]);
    EXPECT_EQ(s.backgroundPicture, BACKGROUND_RENGA);
    EXPECT_EQ(fake.settingsFile->at(0), "背景画=緑") << "the previous file stays as it was";
    EXPECT_TRUE(fake.messages().empty());
}

TEST_F(GameTest, VersionBoxPlaysTheChimeAndShowsItsLines) {
    load();
    game.onVersion();
    EXPECT_EQ(fake.log.front(), "play 1");
    EXPECT_EQ(fake.messages(),
              std::vector<std::string>{"Quorvel|Quorvel  Version 0.9    [01/2001]\r\rHome page\r"
                                       "（まだありません）\r\re-mail\r（まだありません）"});
}

TEST_F(GameTest, EveryOptionSurvivesARestart) {
    load();
    game.onBackgroundItem(BACKGROUND_TAKE);
    game.onKeika();
    game.onBgm();
    FakePlatform next;
    next.settingsFile = fake.settingsFile;
    Game restarted(next);
    restarted.onLoad();
    EXPECT_EQ(restarted.state().backgroundPicture, BACKGROUND_TAKE);
    EXPECT_TRUE(next.marks[MenuItem::TAKE]);
    EXPECT_FALSE(next.marks[MenuItem::KEIKA]);
    EXPECT_TRUE(next.marks[MenuItem::BGM]);
    EXPECT_EQ(next.count("loop 5"), 1);
}

}
}
