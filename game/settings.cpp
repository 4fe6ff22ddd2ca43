// Reading and writing the settings file: the four option lines, then the project's own options.

#include <array>
#include <string_view>

#include "game/game.h"

namespace quorvel {

namespace {

struct BackgroundLine {
    std::string_view line;
    int code;
};

constexpr std::array<BackgroundLine, 5> kBackgroundLines{{
    {"背景画=緑", BACKGROUND_MIDORI},
    {"背景画=竹", BACKGROUND_TAKE},
    {"背景画=畳", BACKGROUND_TATAMI},
    {"背景画=宇宙", BACKGROUND_UCHU},
    {"背景画=煉瓦", BACKGROUND_RENGA},
}};

constexpr std::string_view kSidouOn = "移動指導=ON";
constexpr std::string_view kSidouOff = "移動指導=OFF";
constexpr std::string_view kKeikaOn = "経過時間=ON";
constexpr std::string_view kKeikaOff = "経過時間=OFF";
constexpr std::string_view kBgmOn = "BGM=ON";
constexpr std::string_view kBgmOff = "BGM=OFF";

constexpr std::size_t SETTINGS_LINES = 4;

constexpr std::string_view kLevelOption = "強さ";
const std::array<std::string_view, LEVELS.size()> kLevelValues{
    levelName(Level::入門), levelName(Level::初級), levelName(Level::中級), levelName(Level::上級)};

OptionValue levelOption(Level level) {
    return {kLevelOption, levelName(level), levelName(Level::入門), kLevelValues};
}

constexpr std::string_view kLanguageOption = "言語";
constexpr std::array<std::string_view, LANGUAGES.size()> kLanguageValues{
    languageName(Language::Japanese), languageName(Language::English)};

OptionValue languageOption(Language language) {
    return {kLanguageOption, languageName(language), languageName(Language::Japanese),
            kLanguageValues};
}

constexpr std::string_view kRepetitionOption = "千日手";
constexpr std::string_view kOn = "ON";
constexpr std::string_view kOff = "OFF";
constexpr std::array<std::string_view, 2> kOnOffValues{kOn, kOff};

OptionValue repetitionOption(bool on) {
    return {kRepetitionOption, on ? kOn : kOff, kOff, kOnOffValues};
}

std::string_view backgroundLineOf(int code) {
    for (const BackgroundLine& b : kBackgroundLines) {
        if (b.code == code) return b.line;
    }
    return kBackgroundLines[0].line;
}

std::vector<std::string> defaultLines() {
    return {std::string(backgroundLineOf(BACKGROUND_MIDORI)), std::string(kSidouOff),
            std::string(kKeikaOn), std::string(kBgmOn)};
}

}

void Game::applySettingsLine(std::size_t index, const std::string& line) {
    switch (index) {
        case 0:
            for (const BackgroundLine& b : kBackgroundLines) {
                if (line != b.line) continue;
                チェック設定(b.code);
                描画_背景(b.code);
                s_.backgroundPicture = b.code;
            }
            break;
        case 1:
            setMark(MenuItem::SIDOU, line == kSidouOn);
            break;
        case 2:
            setMark(MenuItem::KEIKA, line == kKeikaOn);
            break;
        case 3:
            setMark(MenuItem::BGM, line == kBgmOn);
            if (s_.marks.bgm) platform_.dsPlayLooping(s_.soundBgm);
            break;
        default:
            break;
    }
}

void Game::読込_環境設定ファイル() {
    const auto lines = platform_.readSettingsLines();
    if (lines) {
        for (std::size_t i = 0; i < lines->size() && i < SETTINGS_LINES; ++i) {
            applySettingsLine(i, (*lines)[i]);
        }
        if (lines->size() >= SETTINGS_LINES) {
            s_.optionLines.assign(lines->begin() + SETTINGS_LINES, lines->end());
            applyOptionLines();
            return;
        }
    }
    recoverSettings();
}

void Game::applyOptionLines() {
    const OptionValue level = levelOption(Level::入門);
    s_.level = *levelFromName(meaningOf(findOption(s_.optionLines, level.name), level));
    markLevel();
    const OptionValue language = languageOption(Language::Japanese);
    applyLanguage(
        *languageFromName(meaningOf(findOption(s_.optionLines, language.name), language)));
    const OptionValue repetition = repetitionOption(false);
    setMark(MenuItem::SENNICHITE,
            meaningOf(findOption(s_.optionLines, repetition.name), repetition) == kOn);
}

std::vector<OptionValue> Game::optionValues() const {
    return {levelOption(s_.level), languageOption(s_.language),
            repetitionOption(s_.marks.repetitionDraw)};
}

void Game::recoverSettings() {
    // A missing or short file is replaced by the defaults, which then apply; the music is not
    // started by this. When the file cannot be written the defaults apply all the same.
    platform_.writeSettingsLines(defaultLines());
    s_.optionLines.clear();
    applyOptionLines();
    チェック設定(BACKGROUND_MIDORI);
    描画_背景(BACKGROUND_MIDORI);
    s_.backgroundPicture = BACKGROUND_MIDORI;
    setMark(MenuItem::SIDOU, false);
    setMark(MenuItem::KEIKA, true);
    setMark(MenuItem::BGM, true);
}

void Game::書込_環境設定ファイル() {
    const int background = s_.marks.background != 0 ? s_.marks.background : s_.backgroundPicture;
    std::vector<std::string> lines{
        std::string(backgroundLineOf(background)),
        std::string(s_.marks.sidou ? kSidouOn : kSidouOff),
        std::string(s_.marks.keika ? kKeikaOn : kKeikaOff),
        std::string(s_.marks.bgm ? kBgmOn : kBgmOff),
    };
    // Options at their defaults that the file never named add no line, so a file of the four
    // lines stays one.
    const std::vector<std::string> options = updateOptionLines(s_.optionLines, optionValues());
    lines.insert(lines.end(), options.begin(), options.end());
    // The file is replaced atomically, so a failed save leaves the previous file and the user's
    // marks as they are.
    if (platform_.writeSettingsLines(lines)) s_.optionLines = options;
}

}
