// The tick of Timer1: measures the running turn from its start and reprints the clock of the
// side to move once per whole second.

#include <cmath>

#include "game/clock_text.h"
#include "game/game.h"

namespace quorvel {

void Game::onTimerTick() {
    if (s_.gameOver != SIDE_NONE || !s_.timerEnabled) return;
    s_.turnSeconds = 調査_経過秒(s_.clockStart, platform_.timeOfDay());
    const int whole = static_cast<int>(std::floor(s_.turnSeconds));
    if (whole == s_.shownSecond) return;
    s_.shownSecond = whole;
    if (s_.turn == s_.sides.comSide) {
        描画_所有時間(s_.sides.comSide, s_.turnSeconds + s_.comSeconds);
    } else if (s_.turn == s_.sides.manSide) {
        描画_所有時間(s_.sides.manSide, s_.turnSeconds + s_.manSeconds);
    }
    platform_.refresh();
}

}
