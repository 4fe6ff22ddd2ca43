// The clocks: the tick of Timer1, which measures the running turn from its start and reprints
// the clock of the side to move once per whole second, and the end of a turn, whose time is
// measured once and goes to the mover's total.

#include <cmath>

#include "game/clock_text.h"
#include "game/game.h"
#include "game/repetition.h"

namespace quorvel {

void Game::onTimerTick() {
    if (gameEnded(s_) || !s_.timerEnabled) return;
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
    records_.noteRunningTurn(whole);
}

void Game::noteMove(Direction direction) {
    // One rounding: the move's whole seconds are both its own time and what its mover's total
    // grows by, so the totals are the sums of the moves' times and the panel shows the record's.
    const int seconds = static_cast<int>(std::floor(elapsedTurnSeconds()));
    const int mover = s_.turn;
    double& total = mover == s_.sides.manSide ? s_.manSeconds : s_.comSeconds;
    total += seconds;
    // The charged seconds leave the running turn: a tick before the hand-over (a box may be open
    // meanwhile) shows the new total, not the move's time counted twice.
    s_.clockStart = std::fmod(s_.clockStart + seconds, SECONDS_PER_DAY);
    // No tick runs during a computer's turn or after a win: the new total is shown now.
    描画_所有時間(mover, total);
    platform_.refresh();
    records_.noteMove(direction, seconds, static_cast<int>(total));
}

}
