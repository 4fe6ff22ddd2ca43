#include "ui/menu_table.h"

#include <array>

#include "game/game.h"
#include "ui/game_events.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

using enum Command;
constexpr const char* BAR = nullptr;
constexpr const char* LINE = nullptr;

// The game's menus as the player meets them, top to bottom within each menu. The added items
// (続きから, ヒント, 待った, 投了, 強さ, 言語 / Language, 千日手) close their menus; the added
// menus 棋譜, 練習 and ヘルプ stand right of その他.
constexpr std::array ENTRIES{
    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "対局"), "", SUBMENU, {}},
    MenuEntry{"対局", QT_TRANSLATE_NOOP("Menu", "対局(人間)"), "", SUBMENU, {}},
    MenuEntry{"対局(人間)", QT_TRANSLATE_NOOP("Menu", "スタート"), "Ctrl+N", START, {}},
    MenuEntry{"対局", QT_TRANSLATE_NOOP("Menu", "対局(COM)"), "", SUBMENU, {}},
    MenuEntry{"対局(COM)", QT_TRANSLATE_NOOP("Menu", "先手"), "F2", SENTE, {}},
    MenuEntry{"対局(COM)", QT_TRANSLATE_NOOP("Menu", "後手"), "F3", GOTE, {}},
    MenuEntry{"対局", QT_TRANSLATE_NOOP("Menu", "終わり"), "Ctrl+Q", OWARI, {}},
    MenuEntry{"対局", QT_TRANSLATE_NOOP("Menu", "続きから"), "F5", RESUME, {}},
    MenuEntry{"対局", QT_TRANSLATE_NOOP("Menu", "対局(ネット)"), "", SUBMENU, {}},
    MenuEntry{"対局(ネット)", QT_TRANSLATE_NOOP("Menu", "接続…"), "", SETSUZOKU, {}},
    MenuEntry{"対局(ネット)", QT_TRANSLATE_NOOP("Menu", "招待…"), "", SHOTAI, {}},
    MenuEntry{"対局(ネット)", QT_TRANSLATE_NOOP("Menu", "切断"), "", SETSUDAN, {}},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "局面"), "", SUBMENU, {}},
    MenuEntry{"局面", QT_TRANSLATE_NOOP("Menu", "最初"), "Ctrl+R", CANCEL, {}},
    MenuEntry{"局面", QT_TRANSLATE_NOOP("Menu", "ヒント"), "Ctrl+H", HINT, {}},
    MenuEntry{"局面", QT_TRANSLATE_NOOP("Menu", "待った"), "Ctrl+Z", MATTA, {}},
    MenuEntry{"局面", QT_TRANSLATE_NOOP("Menu", "投了"), "", TOURYOU, {}},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "ｵﾌﾟｼｮﾝ"), "", SUBMENU, {}},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "背景画"), "", SUBMENU, {}},
    MenuEntry{"背景画", QT_TRANSLATE_NOOP("Menu", "緑"), "", MIDORI, MenuItem::MIDORI},
    MenuEntry{"背景画", QT_TRANSLATE_NOOP("Menu", "畳"), "", TATAMI, MenuItem::TATAMI},
    MenuEntry{"背景画", QT_TRANSLATE_NOOP("Menu", "竹"), "", TAKE, MenuItem::TAKE},
    MenuEntry{"背景画", QT_TRANSLATE_NOOP("Menu", "宇宙"), "", UCHU, MenuItem::UCHU},
    MenuEntry{"背景画", QT_TRANSLATE_NOOP("Menu", "煉瓦"), "", RENGA, MenuItem::RENGA},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "移動指導"), "", SIDOU, MenuItem::SIDOU},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "経過時間"), "", KEIKA, MenuItem::KEIKA},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "BGM"), "", BGM, MenuItem::BGM},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "強さ"), "", SUBMENU, {}},
    MenuEntry{"強さ", QT_TRANSLATE_NOOP("Menu", "入門"), "", NYUMON, MenuItem::NYUMON},
    MenuEntry{"強さ", QT_TRANSLATE_NOOP("Menu", "初級"), "", SYOKYU, MenuItem::SYOKYU},
    MenuEntry{"強さ", QT_TRANSLATE_NOOP("Menu", "中級"), "", CHUKYU, MenuItem::CHUKYU},
    MenuEntry{"強さ", QT_TRANSLATE_NOOP("Menu", "上級"), "", JOKYU, MenuItem::JOKYU},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "言語 / Language"), "", SUBMENU, {}},
    MenuEntry{"言語 / Language", QT_TRANSLATE_NOOP("Menu", "日本語"), "", NIHONGO,
              MenuItem::NIHONGO},
    MenuEntry{"言語 / Language", QT_TRANSLATE_NOOP("Menu", "English"), "", ENGLISH,
              MenuItem::ENGLISH},
    MenuEntry{"ｵﾌﾟｼｮﾝ", QT_TRANSLATE_NOOP("Menu", "千日手"), "", SENNICHITE, MenuItem::SENNICHITE},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "その他"), "", VER, {}},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "棋譜"), "", SUBMENU, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "開く…"), "Ctrl+O", KIFU_OPEN, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "保存…"), "Ctrl+S", KIFU_SAVE, {}},
    MenuEntry{"棋譜", LINE, "", SEPARATOR, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "先頭"), "Home", KIFU_FIRST, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "前へ"), "PgUp", KIFU_BACK, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "次へ"), "PgDown", KIFU_FORWARD, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "最後"), "End", KIFU_LAST, {}},
    MenuEntry{"棋譜", LINE, "", SEPARATOR, {}},
    MenuEntry{"棋譜", QT_TRANSLATE_NOOP("Menu", "解析"), "", KIFU_ANALYSIS, {}},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "練習"), "", SUBMENU, {}},
    MenuEntry{"練習", QT_TRANSLATE_NOOP("Menu", "詰め問題…"), "", PUZZLE, {}},

    MenuEntry{BAR, QT_TRANSLATE_NOOP("Menu", "ヘルプ"), "", SUBMENU, {}},
    MenuEntry{"ヘルプ", QT_TRANSLATE_NOOP("Menu", "遊び方"), "F1", HELP, {}},
};

}

std::span<const MenuEntry> menuTable() {
    return ENTRIES;
}

bool onlineCommand(Command command) {
    return command == SETSUZOKU || command == SHOTAI || command == SETSUDAN;
}

void sendCommand(Command command, GameEvents& game) {
    switch (command) {
        case SUBMENU:
        case SEPARATOR:
        case HELP:
        case KIFU_ANALYSIS:
        case SETSUZOKU:
        case SHOTAI:
        case SETSUDAN:
            return;
        case START:
            return game.onStart();
        case SENTE:
            return game.onSente();
        case GOTE:
            return game.onGote();
        case OWARI:
            return game.onQuit();
        case RESUME:
            return game.onResume();
        case CANCEL:
            return game.onCancel();
        case HINT:
            return game.onHint();
        case MATTA:
            return game.onTakeBack();
        case TOURYOU:
            return game.onResign();
        case MIDORI:
            return game.onBackgroundItem(BACKGROUND_MIDORI);
        case TATAMI:
            return game.onBackgroundItem(BACKGROUND_TATAMI);
        case TAKE:
            return game.onBackgroundItem(BACKGROUND_TAKE);
        case UCHU:
            return game.onBackgroundItem(BACKGROUND_UCHU);
        case RENGA:
            return game.onBackgroundItem(BACKGROUND_RENGA);
        case SIDOU:
            return game.onSidou();
        case KEIKA:
            return game.onKeika();
        case BGM:
            return game.onBgm();
        case NYUMON:
            return game.onLevel(Level::入門);
        case SYOKYU:
            return game.onLevel(Level::初級);
        case CHUKYU:
            return game.onLevel(Level::中級);
        case JOKYU:
            return game.onLevel(Level::上級);
        case NIHONGO:
            return game.onLanguage(Language::Japanese);
        case ENGLISH:
            return game.onLanguage(Language::English);
        case SENNICHITE:
            return game.onRepetitionDraw();
        case VER:
            return game.onVersion();
        case KIFU_OPEN:
            return game.onOpenRecord();
        case KIFU_SAVE:
            return game.onSaveRecord();
        case KIFU_FIRST:
            return game.onStepFirst();
        case KIFU_BACK:
            return game.onStepBack();
        case KIFU_FORWARD:
            return game.onStepForward();
        case KIFU_LAST:
            return game.onStepLast();
        case PUZZLE:
            return game.onPuzzle();
    }
}

}
