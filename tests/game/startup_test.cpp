#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(GameTest, LoadsTheFiveSoundsInOrderWithTheirFlags) {
    game.onLoad();
    const std::vector<std::string> expected{"sound init",        "load その他.wav 3",
                                            "load 禁止.wav 3",   "load 駒打音.wav 3",
                                            "load 磁石音.wav 3", "load BGM.wav 1"};
    ASSERT_GE(fake.log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(fake.log.begin(), fake.log.begin() + 6), expected);
    EXPECT_EQ(s.soundOther, 1);
    EXPECT_EQ(s.soundBgm, 5);
}

TEST_F(GameTest, StartsWithNoGameAndTheFirstPositionDrawn) {
    game.onLoad();
    EXPECT_EQ(s.turn, SIDE_NONE);
    EXPECT_EQ(s.gameOver, SIDE_NONE);
    EXPECT_EQ(s.gameMode, MODE_MAN);
    EXPECT_EQ(s.sides.manSide, SIDE_GOTE);
    EXPECT_EQ(s.sides.comSide, SIDE_SENTE);
    EXPECT_FALSE(fake.timer);
    EXPECT_EQ(fake.count("picture 950 5 1"), 1);
    EXPECT_EQ(fake.count("picture 1 10.8 0"), 1);
    EXPECT_EQ(fake.log.back(), "refresh");
    EXPECT_TRUE(fake.messages().empty());
}

TEST_F(GameTest, NoSoundSystemWarnsOnceAndRunsSilently) {
    fake.soundSystem = false;
    game.onLoad();
    EXPECT_EQ(fake.messages(), std::vector<std::string>{
                                   "Quorvel.dll|Direct Soundインターフェースが作成できません。|!"});
    EXPECT_EQ(s.soundOther + s.soundForbidden + s.soundPiece + s.soundMagnet + s.soundBgm, 0);
}

TEST_F(GameTest, MissingMusicFileGivesSilenceWithoutAMessage) {
    fake.soundFiles.erase("BGM.wav");
    fake.settingsFile->at(3) = "BGM=ON";
    game.onLoad();
    EXPECT_EQ(s.soundBgm, 0);
    EXPECT_TRUE(fake.messages().empty());
    EXPECT_EQ(fake.count("loop 0"), 1) << "looping handle 0 is harmless";
}

struct SettingsCase {
    const char* name;
    std::optional<std::vector<std::string>> file;
    int checkedBackground;
    int backgroundPicture;
    bool sidou, keika, bgm, musicStarted;
    std::optional<std::vector<std::string>> fileAfter;  // nothing: left as it was
};

class SettingsAtLoad : public GameTest, public ::testing::WithParamInterface<SettingsCase> {};

const std::vector<std::string> kDefaults{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON"};

TEST_P(SettingsAtLoad, AppliesTheLinesOrRecoversTheDefaults) {
    const SettingsCase& c = GetParam();
    fake.settingsFile = c.file;
    game.onLoad();
    EXPECT_EQ(s.marks.background, c.checkedBackground);
    EXPECT_EQ(s.backgroundPicture, c.backgroundPicture);
    EXPECT_EQ(fake.marks[MenuItem::SIDOU], c.sidou);
    EXPECT_EQ(fake.marks[MenuItem::KEIKA], c.keika);
    EXPECT_EQ(fake.marks[MenuItem::BGM], c.bgm);
    EXPECT_EQ(fake.count("loop 5"), c.musicStarted ? 1 : 0);
    if (c.fileAfter) {
        EXPECT_EQ(fake.settingsFile, c.fileAfter);
    } else {
        EXPECT_EQ(fake.settingsWrites, 0);
    }
    // Exactly one background item is checked, and it is the picture in use.
    int checked = 0;
    for (MenuItem m :
         {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU, MenuItem::RENGA}) {
        checked += fake.marks[m];
    }
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(fake.messages().size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsAtLoad,
    ::testing::Values(
        SettingsCase{
            "Space",
            std::vector<std::string>{"背景画=宇宙", "移動指導=ON", "経過時間=OFF", "BGM=OFF"},
            BACKGROUND_UCHU, BACKGROUND_UCHU, true, false, false, false, std::nullopt},
        SettingsCase{
            "MusicOn",
            std::vector<std::string>{"背景画=煉瓦", "移動指導=OFF", "経過時間=ON", "BGM=ON"},
            BACKGROUND_RENGA, BACKGROUND_RENGA, false, true, true, true, std::nullopt},
        SettingsCase{"Missing", std::nullopt, BACKGROUND_MIDORI, BACKGROUND_MIDORI, false, true,
                     true, false, kDefaults},
        SettingsCase{"Empty", std::vector<std::string>{}, BACKGROUND_MIDORI, BACKGROUND_MIDORI,
                     false, true, true, false, kDefaults},
        SettingsCase{"ThreeLines",
                     std::vector<std::string>{"背景画=竹", "移動指導=ON", "経過時間=OFF"},
                     BACKGROUND_MIDORI, BACKGROUND_MIDORI, false, true, true, false, kDefaults},
        SettingsCase{"LowerCaseAndTrailingSpace",
                     std::vector<std::string>{"背景画=竹", "移動指導=on", "経過時間=ON ", "BGM=on"},
                     BACKGROUND_TAKE, BACKGROUND_TAKE, false, false, false, false, std::nullopt},
        SettingsCase{
            "UnknownFirstLineKeepsTatami",
            std::vector<std::string>{"背景画=青", "移動指導=OFF", "経過時間=ON", "BGM=OFF"},
            BACKGROUND_TATAMI, BACKGROUND_TATAMI, false, true, false, false, std::nullopt}),
    [](const ::testing::TestParamInfo<SettingsCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(GameTest, UnwritableMissingFileStillStartsWithTheDefaults) {
    fake.settingsFile = std::nullopt;
    fake.settingsWritable = false;
    game.onLoad();
    EXPECT_EQ(s.backgroundPicture, BACKGROUND_MIDORI);
    EXPECT_TRUE(fake.marks[MenuItem::KEIKA]);
    EXPECT_TRUE(fake.messages().empty());
}

}
}
