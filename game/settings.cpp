// Reading and writing the four option lines of the settings file.

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
        if (lines->size() >= SETTINGS_LINES) return;
    }
    recoverSettings();
}

void Game::recoverSettings() {
    // A missing or short file is replaced by the defaults, which then apply; the music is not
    // started by this. When the file cannot be written the defaults apply all the same.
    platform_.writeSettingsLines(defaultLines());
    チェック設定(BACKGROUND_MIDORI);
    描画_背景(BACKGROUND_MIDORI);
    s_.backgroundPicture = BACKGROUND_MIDORI;
    setMark(MenuItem::SIDOU, false);
    setMark(MenuItem::KEIKA, true);
    setMark(MenuItem::BGM, true);
}

void Game::書込_環境設定ファイル() {
    const int background = s_.marks.background != 0 ? s_.marks.background : s_.backgroundPicture;
    const std::vector<std::string> lines{
        std::string(backgroundLineOf(background)),
        std::string(s_.marks.sidou ? kSidouOn : kSidouOff),
        std::string(s_.marks.keika ? kKeikaOn : kKeikaOff),
        std::string(s_.marks.bgm ? kBgmOn : kBgmOff),
    };
    // The file is replaced atomically, so a failed save leaves the previous file and the user's
    // marks as they are.
    platform_.writeSettingsLines(lines);
}

}
