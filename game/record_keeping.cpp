// The game's side of its records: the menu commands that the records answer, and the few points
// where the game tells them about a command, or lets them put a position on the board.

#include "game/game.h"

namespace quorvel {

RecordsLink Game::recordsLink() {
    return RecordsLink{
        [this](const GamePosition& position) { adoptPosition(position); },
        [this](double clockStart) { s_.clockStart = clockStart; },
        [this](bool enabled) { setTimer(enabled); },
        [this](Level level) { onLevel(level); },
        [this] { com_ban(); },
    };
}

void Game::adoptPosition(const GamePosition& position) {
    static_cast<GamePosition&>(s_) = position;
    s_.shownSecond = 0;
    画面_再描画();
    if (s_.moveNumber > 0) 描画_手数(s_.moveNumber, textColour);
    int ax = 0, ay = 0, kx = 0, ky = 0;
    if (s_.gameOver != SIDE_NONE &&
        調査_王手(s_.board, s_.kings, s_.sides, s_.gameOver, ax, ay, kx, ky)) {
        描画_桝輪郭(winOutlineColour, ax, ay);
        描画_桝輪郭(winOutlineColour, kx, ky);
    }
    if (s_.drawn) drawRepetitionLabel();
    platform_.refresh();
}

void Game::noteCommand(GameCommand command) {
    // A new game is played under the option as it is now; a mode switch keeps the game's rule.
    if (records_.noteCommand(command)) s_.repetitionDraw = s_.marks.repetitionDraw;
}

bool Game::refuseWhileStepping() {
    return records_.refuseWhileStepping();
}

void Game::leaveShownPosition() {
    records_.leaveShownPosition();
}

void Game::updateResume() {
    records_.onLoad();
}

void Game::onResume() {
    records_.resume();
}

void Game::onTakeBack() {
    if (puzzleTakeBack()) return;
    if (seats().upper == Mover::Remote) return askFriendTakeBack();
    records_.takeBack();
}

void Game::onOpenRecord() {
    records_.open();
}

void Game::onSaveRecord() {
    records_.save();
}

void Game::onStepFirst() {
    records_.stepFirst();
}

void Game::onStepBack() {
    records_.stepBack();
}

void Game::onStepForward() {
    records_.stepForward();
}

void Game::onStepLast() {
    records_.stepLast();
}

void Game::onStepTo(std::size_t moves) {
    records_.stepTo(moves);
}

}
