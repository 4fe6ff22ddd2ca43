// When the next tick of Timer1 can change anything. A tick only reprints the clock when the
// whole second of the running turn has moved on from the one last shown, so the window may sleep
// through the ticks in between: the clock reads the same, printed at the turn of the second.

#include <cmath>

#include "game/game.h"
#include "game/repetition.h"

namespace quorvel {

std::optional<int> Game::msUntilClockChanges() {
    if (gameEnded(s_) || !s_.timerEnabled) return std::nullopt;
    const double elapsed = elapsedTurnSeconds();
    const double whole = std::floor(elapsed);
    if (whole != s_.shownSecond) return 0;
    // One millisecond past the turn of the second, so that the tick finds it turned.
    return static_cast<int>(std::ceil((whole + 1 - elapsed) * 1000)) + 1;
}

}
