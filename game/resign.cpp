// 局面 → 投了: the side that gives the game up loses, in every mode. In a network game only this
// machine's player resigns at this machine, on either side's turn; the friend's resignation
// arrives from the network.

#include "game/resign.h"

#include "game/game.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

void resign(GamePosition& p, int side) {
    if (side == SIDE_NONE || gameEnded(p)) return;
    p.gameOver = side == SIDE_SENTE ? SIDE_GOTE : SIDE_SENTE;
}

void Game::onResign() {
    if (refusedWithoutPlay()) return;
    const bool network = seats().upper == Mover::Remote;
    // The friend hears of it before the box that shows the win holds this machine up.
    if (network && peer_) peer_->localResigned();
    resignSide(network ? s_.sides.manSide : s_.turn);
}

void Game::onRemoteResign() {
    if (seats().upper != Mover::Remote || s_.turn == SIDE_NONE || gameEnded(s_)) return;
    if (history().shown) records_.stepLast();
    resignSide(s_.sides.comSide);
}

void Game::resignSide(int side) {
    setTimer(false);
    resign(s_, side);
    records_.noteResign(side);
    platform_.dsPlay(s_.soundOther);
    platform_.showMessage(winMessage(s_.gameOver), QT_TRANSLATE_NOOP("Game", "投了"),
                          MessageIcon::None);
}

}
