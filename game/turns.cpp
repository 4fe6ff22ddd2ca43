// A player's move: the prince's step, the animated slide, the press on a magnet, the win tests,
// the hand-over and the end by 千日手.

#include <cmath>

#include "game/clock_text.h"
#include "game/game.h"
#include "game/layout.h"
#include "game/magnets.h"
#include "game/repetition.h"
#include "rules/move_check.h"
#include "rules/prince_step.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

constexpr int ATTACKER_BLINKS = 3;
constexpr int KING_BLINKS = 2;
constexpr int MAGNET_BLINKS = 2;

}

void Game::移動_太子(int 元_X, int 元_Y, int 先_X, int 先_Y) {
    if (!移動チェック(s_.board, 元_X, 元_Y, 先_X, 先_Y, PRINCE)) return;
    駒移動(元_X, 元_Y, 先_X, 先_Y, PRINCE);
    s_.princeX = 先_X;
    s_.princeY = 先_Y;
    platform_.dsPlay(s_.soundPiece);
}

void Game::駒移動(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
    描画_絵(EMPTY, 移動元X, 移動元Y);
    描画_桝輪郭(gridColour, 移動元X, 移動元Y);
    placePiece(s_.board, 移動元X, 移動元Y, 移動先X, 移動先Y, 移動駒);
    描画_絵(移動駒, 移動先X, 移動先Y);
    描画_桝輪郭(gridColour, 移動先X, 移動先Y);
}

void Game::重力処理(const std::string& I_方向) {
    const auto direction = directionFromWord(I_方向);
    if (!direction) return;
    slide(s_.board, *direction, [this](const Board&) {
        描画_盤();
        platform_.refresh();
        待ち時間(GRAVITY_STEP_SECONDS);
    });
}

double Game::elapsedTurnSeconds() {
    return 調査_経過秒(s_.clockStart, platform_.timeOfDay());
}

void Game::showWin(int winner, const std::string& message, int attackerX, int attackerY, int kingX,
                   int kingY) {
    s_.gameOver = winner;
    描画_桝輪郭(winOutlineColour, attackerX, attackerY);
    描画_桝輪郭(winOutlineColour, kingX, kingY);
    描画_駒点滅(s_.board(attackerX, attackerY), attackerX, attackerY, ATTACKER_BLINKS, EMPTY,
                winOutlineColour);
    描画_駒点滅(s_.board(kingX, kingY), kingX, kingY, KING_BLINKS, EMPTY, winOutlineColour);
    platform_.dsPlay(s_.soundOther);
    platform_.showMessage(message, QT_TRANSLATE_NOOP("Game", "終了"), MessageIcon::None);
}

std::string Game::winMessage(int winner) const {
    const Seats seats = this->seats();
    if (seats.bothLocal()) {
        return winner == SIDE_SENTE ? QT_TRANSLATE_NOOP("Game", "先手の勝ちです")
                                    : QT_TRANSLATE_NOOP("Game", "後手の勝ちです");
    }
    if (seats.local(winner)) return QT_TRANSLATE_NOOP("Game", "あなたの勝ちです");
    return seats.of(winner) == Mover::Remote ? QT_TRANSLATE_NOOP("Game", "相手の勝ちです")
                                             : QT_TRANSLATE_NOOP("Game", "ｺﾝﾋﾟｭｰﾀの勝ちです");
}

bool Game::showWinAfterMove(int mover) {
    for (const int side : winOrder(winTestOf(seats()), s_.sides, mover)) {
        if (side == SIDE_NONE) break;
        int ax = 0, ay = 0, kx = 0, ky = 0;
        if (調査_王手(s_.board, s_.kings, s_.sides, side, ax, ay, kx, ky)) {
            showWin(side, winMessage(side), ax, ay, kx, ky);
            return true;
        }
    }
    return false;
}

bool Game::showDrawAfterMove() {
    const GamePosition& last = history().last;
    if (!last.drawn || history().shown || last.moveNumber != s_.moveNumber) return false;
    s_.drawn = true;
    setTimer(false);
    drawRepetitionLabel();
    platform_.refresh();
    platform_.dsPlay(s_.soundOther);
    platform_.showMessage(QT_TRANSLATE_NOOP("Game", "千日手です"),
                          QT_TRANSLATE_NOOP("Game", "終局"), MessageIcon::None);
    return true;
}

bool Game::refusedWithoutPlay() {
    if (refuseWhileStepping()) return true;
    if (gameEnded(s_)) {
        platform_.showMessage(QT_TRANSLATE_NOOP("Game", "新規に対局してください"),
                              QT_TRANSLATE_NOOP("Game", "終局"), MessageIcon::None);
        return true;
    }
    if (s_.turn == SIDE_NONE) {
        platform_.dsPlay(s_.soundForbidden);
        platform_.showMessage(QT_TRANSLATE_NOOP("Game", "「対局」で始めて下さい"),
                              QT_TRANSLATE_NOOP("Game", "開始"), MessageIcon::None);
        return true;
    }
    return false;
}

void Game::onMousePress(double unitsX, double unitsY) {
    if (refusedWithoutPlay()) return;
    // Another mover's turn: the press is not this machine's to play.
    if (!seats().pressPlaysFor(s_.turn)) return;
    const int column = static_cast<int>(std::floor((unitsX - boardLeft) / squareWidth));
    const int row = static_cast<int>(std::floor((unitsY - boardTop) / squareHeight));
    const Magnet* chosen = nullptr;
    for (const Magnet& m : MAGNETS) {
        if (m.cellX == column && m.cellY == row) {
            chosen = &m;
            break;
        }
    }
    if (chosen) playMove(*chosen);
}

void Game::playMove(const Magnet& magnet) {
    const Square step = stepToward(magnet.direction, s_.princeX, s_.princeY);
    移動_太子(s_.princeX, s_.princeY, step.x, step.y);
    描画_駒点滅(magnet.code, magnet.cellX, magnet.cellY, MAGNET_BLINKS, s_.backgroundPicture,
                gridColour);
    重力処理(std::string(wordOf(magnet.direction)));
    platform_.dsPlay(s_.soundMagnet);

    ++s_.moveNumber;
    noteMove(magnet.direction);
    描画_手数(s_.moveNumber, textColour);
    platform_.refresh();
    勢力調査();

    const int mover = s_.turn;
    if (peer_ && seats().upper == Mover::Remote && seats().local(mover))
        peer_->localMove(magnet.direction, s_.moveNumber);
    const int opponent = mover == s_.sides.manSide ? s_.sides.comSide : s_.sides.manSide;
    // The computer's turn follows at once and starts its own clock: the ticks stop here.
    if (seats().of(opponent) == Mover::Defender) return puzzleMoveMade();
    const bool computerNext = seats().of(opponent) == Mover::Computer;
    if (computerNext) setTimer(false);
    if (showWinAfterMove(mover)) return;
    s_.turn = opponent;
    if (showDrawAfterMove()) return;
    if (computerNext) {
        com_ban();
        return;
    }
    s_.clockStart = platform_.timeOfDay();
}

}
