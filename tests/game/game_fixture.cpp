#include "game_fixture.h"

#include "game/magnets.h"

namespace quorvel::testing {

GameTest::GameTest() {
    fake.settingsFile =
        std::vector<std::string>{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=OFF"};
}

void GameTest::load() {
    game.onLoad();
    clearLog();
}

void GameTest::pressCell(int cellX, int cellY) {
    game.onMousePress(cellToUnitsX(cellX + 0.5), cellToUnitsY(cellY + 0.5));
}

void GameTest::pressMagnet(Direction direction) {
    const Magnet& m = magnetOf(direction);
    pressCell(m.cellX, m.cellY);
}

void GameTest::setPosition(const char* text, bool forgetLog) {
    GameState& state = game.mutableState();
    state.board = fromText(text);
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (state.board(x, y) == PRINCE) {
                state.princeX = x;
                state.princeY = y;
            }
        }
    }
    if (forgetLog) clearLog();
}

}
