// The computer's level: the 強さ items of the ｵﾌﾟｼｮﾝ menu, exactly one of them checked, and the
// game a search plays in.

#include <array>
#include <variant>

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

void Game::markLevel() {
    for (const LevelItem& l : kLevelItems)
        platform_.setChecked(l.item, l.level == s_.level);
}

void Game::onLevel(Level level) {
    s_.level = level;
    markLevel();
    書込_環境設定ファイル();
}

SearchGame Game::searchGame() const {
    return {s_.sides, s_.gameMode == MODE_COM ? WinTest::AgainstComputer : WinTest::TwoHumans};
}

std::vector<EarlierPosition> Game::earlierPositions() const {
    std::vector<EarlierPosition> earlier;
    if (history().shown) return earlier;
    const auto replay = replayRecord(history().record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return earlier;
    for (const GamePosition& p : *positions) {
        if (p.turn == SIDE_NONE) continue;
        // A command during a game may have relabelled the sides since: the side to move is
        // named by its pieces, as the sides are labelled now.
        const bool lowerToMove = p.turn == p.sides.manSide;
        earlier.push_back({p.board, lowerToMove ? s_.sides.manSide : s_.sides.comSide});
    }
    return earlier;
}

}
