#include "game/option_lines.h"

#include "game_fixture.h"
#include "level_marks.h"

namespace quorvel::testing {
namespace {

using Lines = std::vector<std::string>;

struct UpdateCase {
    const char* name;
    Lines before;
    std::vector<OptionValue> options;
    Lines after;
};

constexpr std::string_view kLevels[] = {"入門", "初級", "中級", "上級"};
constexpr std::string_view kLanguages[] = {"日本語", "English"};

OptionValue level(std::string_view value) {
    return {"強さ", value, "入門", kLevels};
}

const UpdateCase kUpdateCases[] = {
    {"DefaultOptionNeverNamedAddsNoLine", {}, {level("入門")}, {}},
    {"ChangedOptionIsAppended", {}, {level("上級")}, {"強さ=上級"}},
    {"NamedOptionKeepsItsPlaceEvenAtItsDefault",
     {"色=赤", "強さ=上級", "x"},
     {level("入門")},
     {"色=赤", "強さ=入門", "x"}},
    {"DamagedLineMeaningTheCurrentValueStaysAsItIs", {"強さ=最強"}, {level("入門")}, {"強さ=最強"}},
    {"DamagedLineOfTheNameIsRewrittenUnknownAndBrokenLinesKept",
     {"強さ=最強", "=上級", "強さ上級", "強さ=中級"},
     {level("初級")},
     {"強さ=初級", "=上級", "強さ上級", "強さ=中級"}},
    {"OptionsAppendInTheirOrder",
     {},
     {level("中級"), {"言語", "English", "日本語", kLanguages}},
     {"強さ=中級", "言語=English"}},
};

TEST(OptionLines, UpdateKeepsWhatItDoesNotOwn) {
    for (const UpdateCase& c : kUpdateCases) {
        EXPECT_EQ(updateOptionLines(c.before, c.options), c.after) << c.name;
    }
}

TEST(OptionLines, FindTakesTheFirstLineOfTheNameAndTheWholeRest) {
    const Lines lines{"強さ上級", "強さ=上=級", "強さ=中級", "弱さ=初級"};
    EXPECT_EQ(findOption(lines, "強さ"), std::optional<std::string>("上=級"));
    EXPECT_EQ(findOption(lines, "弱さ"), std::optional<std::string>("初級"));
    EXPECT_EQ(findOption(lines, "強"), std::nullopt);
}

const Lines kFourLines{"背景画=宇宙", "移動指導=OFF", "経過時間=ON", "BGM=OFF"};

Lines withOptions(Lines extra) {
    Lines lines = kFourLines;
    lines.insert(lines.end(), extra.begin(), extra.end());
    return lines;
}

struct LevelCase {
    const char* name;
    std::optional<Lines> file;
    Level expected;
};

const LevelCase kLevelCases[] = {
    {"FourLinesMeanTheDefault", kFourLines, Level::入門},
    {"NamedLevelIsTaken", withOptions({"強さ=上級"}), Level::上級},
    {"FirstLineOfTheNameCounts", withOptions({"強さ=中級", "強さ=上級"}), Level::中級},
    {"UnknownLevelMeansTheDefault", withOptions({"強さ=最強"}), Level::入門},
    {"ShortFileMeansTheDefault", Lines{"強さ=上級"}, Level::入門},
    {"TwoLineFileMeansTheDefault", Lines{"背景画=緑", "強さ=中級"}, Level::入門},
    {"NoFileMeansTheDefault", std::nullopt, Level::入門},
};

TEST(SettingsOptionLines, LevelIsReadFromTheLinesAfterTheFourAndExactlyItsItemChecked) {
    for (const LevelCase& c : kLevelCases) {
        FakePlatform fake;
        Game game(fake);
        fake.settingsFile = c.file;
        game.onLoad();
        EXPECT_EQ(game.state().level, c.expected) << c.name;
        EXPECT_EQ(checkedLevels(fake), std::vector<Level>{c.expected}) << c.name;
    }
}

TEST(SettingsOptionLines, RewritingKeepsTheFourLinesAndEveryUnknownOrDamagedLine) {
    FakePlatform fake;
    Game game(fake);
    fake.settingsFile = withOptions({"色=赤", "強さ=最強", "壊れた行"});
    game.onLoad();
    game.onKeika();
    Lines expected = withOptions({"色=赤", "強さ=最強", "壊れた行"});
    expected[2] = "経過時間=OFF";
    EXPECT_EQ(fake.settingsFile, std::optional<Lines>(expected));

    game.mutableState().level = Level::上級;
    game.onKeika();
    expected[2] = "経過時間=ON";
    expected[5] = "強さ=上級";
    EXPECT_EQ(fake.settingsFile, std::optional<Lines>(expected));
}

struct LanguageCase {
    const char* name;
    std::optional<Lines> file;
    Language expected;
};

const LanguageCase kLanguageCases[] = {
    {"FourLinesMeanJapanese", kFourLines, Language::Japanese},
    {"EnglishIsTaken", withOptions({"強さ=上級", "言語=English"}), Language::English},
    {"FirstLineOfTheNameCounts", withOptions({"言語=日本語", "言語=English"}), Language::Japanese},
    {"DamagedValueMeansJapanese", withOptions({"言語=english"}), Language::Japanese},
    {"ShortFileMeansJapanese", Lines{"言語=English"}, Language::Japanese},
    {"NoFileMeansJapanese", std::nullopt, Language::Japanese},
};

TEST(SettingsOptionLines, LanguageIsReadFromTheLinesAfterTheFourAndShown) {
    for (const LanguageCase& c : kLanguageCases) {
        FakePlatform fake;
        Game game(fake);
        fake.settingsFile = c.file;
        game.onLoad();
        EXPECT_EQ(game.state().language, c.expected) << c.name;
        const bool english = c.expected == Language::English;
        EXPECT_EQ(fake.marks[MenuItem::ENGLISH], english) << c.name;
        EXPECT_EQ(fake.marks[MenuItem::NIHONGO], !english) << c.name;
        EXPECT_EQ(fake.count(std::string("language ") + std::string(languageName(c.expected))), 1)
            << c.name;
    }
}

TEST(SettingsOptionLines, ChoosingALanguageWritesItsLineAfterTheFourAndKeepsTheRest) {
    FakePlatform fake;
    Game game(fake);
    fake.settingsFile = withOptions({"強さ=上級", "壊れた行"});
    game.onLoad();

    game.onLanguage(Language::English);
    EXPECT_EQ(fake.settingsFile,
              std::optional<Lines>(withOptions({"強さ=上級", "壊れた行", "言語=English"})));
    EXPECT_TRUE(fake.marks[MenuItem::ENGLISH]);
    EXPECT_FALSE(fake.marks[MenuItem::NIHONGO]);
    EXPECT_EQ(fake.log.back(), "refresh");
    EXPECT_NE(fake.find("language English"), -1);

    // Back to the default: the line the file already has is rewritten, not dropped.
    game.onLanguage(Language::Japanese);
    EXPECT_EQ(fake.settingsFile,
              std::optional<Lines>(withOptions({"強さ=上級", "壊れた行", "言語=日本語"})));
    EXPECT_TRUE(fake.marks[MenuItem::NIHONGO]);

    // A file that never named the language stays four lines while Japanese is chosen.
    FakePlatform plain;
    Game other(plain);
    plain.settingsFile = kFourLines;
    other.onLoad();
    other.onLanguage(Language::Japanese);
    EXPECT_EQ(plain.settingsFile, std::optional<Lines>(kFourLines));
}

}
}
