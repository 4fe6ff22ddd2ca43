#pragma once

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "game/game.h"
#include "game/layout.h"
#include "game/magnets.h"
#include "rules/board_text.h"

namespace quorvel::testing {

// A game object over a recording fake, loaded with a settings file that keeps the clocks shown
// and the music off unless a test says otherwise.
class GameTest : public ::testing::Test {
  protected:
    GameTest();

    void load();
    // Presses the centre of a cell.
    void pressCell(int cellX, int cellY);
    void pressMagnet(Direction direction);
    // Puts a position on the board (with its prince) and, unless told not to, forgets the log.
    void setPosition(const char* text, bool forgetLog = true);
    void clearLog() { fake.log.clear(); }

    FakePlatform fake;
    Game game{fake};
    const GameState& s = game.state();
};

}
