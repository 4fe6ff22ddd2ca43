// The computer's level: the 強さ items of the ｵﾌﾟｼｮﾝ menu, exactly one of them checked, and the
// level's choice in the game on the board.

#include <array>
#include <variant>

#include "game/computer_choice.h"
#include "game/game.h"

namespace quorvel {

namespace {

struct LevelItem {
    Level level;
    MenuItem item;
};

constexpr std::array<LevelItem, LEVELS.size()> kLevelItems{{
    {Level::入門, MenuItem::NYUMON},
    {Level::初級, MenuItem::SYOKYU},
    {Level::中級, MenuItem::CHUKYU},
    {Level::上級, MenuItem::JOKYU},
}};

}

MenuItem levelItem(Level level) {
    for (const LevelItem& l : kLevelItems) {
        if (l.level == level) return l.item;
    }
    return MenuItem::NYUMON;
}

void Game::markLevel() {
    for (const LevelItem& l : kLevelItems)
        platform_.setChecked(l.item, l.level == s_.level);
}

void Game::onLevel(Level level) {
    s_.level = level;
    markLevel();
    書込_環境設定ファイル();
}

Direction Game::chosenMagnet(Level level) const {
    std::vector<GamePosition> before;
    if (!history().shown) {
        auto replay = replayRecord(history().record);
        if (auto* positions = std::get_if<std::vector<GamePosition>>(&replay)) {
            before = std::move(*positions);
            // The record's last position is the one on the board.
            before.pop_back();
        }
    }
    return computerChoice(s_, before, level);
}

}
