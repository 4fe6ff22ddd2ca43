// The ｵﾌﾟｼｮﾝ menu and the version box. Every option change is saved before the handler returns.

#include <iterator>

#include "game/game.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

struct BackgroundItem {
    int code;
    MenuItem item;
};

constexpr BackgroundItem kBackgroundItems[] = {
    {BACKGROUND_MIDORI, MenuItem::MIDORI}, {BACKGROUND_TAKE, MenuItem::TAKE},
    {BACKGROUND_TATAMI, MenuItem::TATAMI}, {BACKGROUND_UCHU, MenuItem::UCHU},
    {BACKGROUND_RENGA, MenuItem::RENGA},
};

// The version box's lines, shown separated by carriage returns.
constexpr const char* kVersionLines[] = {
    "Quorvel  Version 0.9    [01/2001]",
    "",
    QT_TRANSLATE_NOOP("Game", "Home page"),
    QT_TRANSLATE_NOOP("Game", "（まだありません）"),
    "",
    QT_TRANSLATE_NOOP("Game", "e-mail"),
    QT_TRANSLATE_NOOP("Game", "（まだありません）"),
};

}

void Game::チェック設定(int IN_背景種類) {
    s_.marks.background = 0;
    for (const BackgroundItem& b : kBackgroundItems)
        platform_.setChecked(b.item, false);
    for (const BackgroundItem& b : kBackgroundItems) {
        if (b.code != IN_背景種類) continue;
        platform_.setChecked(b.item, true);
        s_.marks.background = b.code;
    }
}

void Game::onBackgroundItem(int backgroundCode) {
    if (s_.marks.background != backgroundCode) {
        チェック設定(backgroundCode);
        s_.backgroundPicture = backgroundCode;
    }
    書込_環境設定ファイル();
    画面_再描画();
}

void Game::onKeika() {
    if (s_.marks.keika) {
        setMark(MenuItem::KEIKA, false);
        setTimer(false);
        消去_所有時間(s_.sides.manSide);
        消去_所有時間(s_.sides.comSide);
    } else {
        setMark(MenuItem::KEIKA, true);
        setTimer(true);
        描画_所有時間(s_.sides.comSide, s_.comSeconds);
        描画_所有時間(s_.sides.manSide, s_.manSeconds);
    }
    platform_.refresh();
    書込_環境設定ファイル();
}

void Game::onBgm() {
    if (s_.marks.bgm) {
        setMark(MenuItem::BGM, false);
        platform_.dsStop(s_.soundBgm);
    } else {
        setMark(MenuItem::BGM, true);
        platform_.dsPlayLooping(s_.soundBgm);
    }
    書込_環境設定ファイル();
}

void Game::onSidou() {
    // Move guidance has no action: its mark only comes from the settings file and goes back to
    // it. The menu is told the unchanged mark again so that a click cannot toggle it.
    platform_.setChecked(MenuItem::SIDOU, s_.marks.sidou);
}

void Game::onRepetitionDraw() {
    // The game on the board keeps the rule it began with; the change applies from the next game.
    setMark(MenuItem::SENNICHITE, !s_.marks.repetitionDraw);
    書込_環境設定ファイル();
}

void Game::onVersion() {
    platform_.dsPlay(s_.soundOther);
    std::string text = kVersionLines[0];
    for (std::size_t i = 1; i < std::size(kVersionLines); ++i) {
        text += '\r';
        text += kVersionLines[i];
    }
    platform_.showMessage(text, "Quorvel", MessageIcon::None);
}

}
