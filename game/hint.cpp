// 局面 → ヒント: on a player's turn the magnet 上級 would press for the side to move blinks, as a
// played magnet does; in a puzzle, the magnet that still wins within its moves left. Nothing else
// changes: the position, the turn and the clocks go on as they were.

#include "game/game.h"
#include "game/magnets.h"

namespace quorvel {

namespace {

constexpr int HINT_BLINKS = 2;

}

void Game::onHint() {
    if (refusedWithoutPlay()) return;
    if (!seats().pressPlaysFor(s_.turn)) return;
    const auto direction =
        s_.gameMode == MODE_PUZZLE ? puzzleHint() : std::optional(chosenMagnet(Level::上級));
    if (!direction) return;
    const Magnet& magnet = magnetOf(*direction);
    描画_駒点滅(magnet.code, magnet.cellX, magnet.cellY, HINT_BLINKS, s_.backgroundPicture,
                gridColour);
}

}
