// The picture of the game: pictures in cells, square outlines, the board, the background,
// blinking and the full redraw.

#include "game/game.h"
#include "game/magnets.h"

namespace quorvel {

namespace {

// The background is tiled over these cells; they reach beyond the window's normal size.
constexpr int BACKGROUND_FIRST_X = -3;
constexpr int BACKGROUND_LAST_X = 28;
constexpr int BACKGROUND_FIRST_Y = -2;
constexpr int BACKGROUND_LAST_Y = 17;

constexpr double LOGO_CELL_X = 10.8;
constexpr double LOGO_CELL_Y = 0;

}

void Game::描画_絵(int 駒種類, double 座標X, double 座標Y) {
    platform_.drawPicture(駒種類, 座標X, 座標Y);
}

void Game::描画_桝輪郭(int 描画色, double 座標X, double 座標Y) {
    platform_.drawOutline(描画色, 座標X, 座標Y);
}

void Game::描画_盤() {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            描画_絵(s_.board(x, y), x, y);
            描画_桝輪郭(gridColour, x, y);
        }
    }
}

void Game::描画_将棋盤桝() {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y)
            描画_桝輪郭(gridColour, x, y);
    }
}

void Game::描画_背景(int IN_背景種類) {
    for (int x = BACKGROUND_FIRST_X; x <= BACKGROUND_LAST_X; ++x) {
        for (int y = BACKGROUND_FIRST_Y; y <= BACKGROUND_LAST_Y; ++y) {
            if (!isOnBoard(x, y)) 描画_絵(IN_背景種類, x, y);
        }
    }
}

void Game::画面_再描画() {
    描画_背景(s_.backgroundPicture);
    描画_盤();
    描画_所有時間(s_.sides.comSide, s_.comSeconds);
    描画_所有時間(s_.sides.manSide, s_.manSeconds);
    for (const Magnet& m : MAGNETS)
        描画_絵(m.code, m.cellX, m.cellY);
    描画_絵(PICTURE_LOGO, LOGO_CELL_X, LOGO_CELL_Y);
    if (s_.gameMode == MODE_PUZZLE) drawPuzzlePanel();
    platform_.refresh();
}

void Game::描画_駒点滅(int 入力_駒, double 入力_X, double 入力_Y, int 入力_点滅回数, int I_背景,
                       int I_輪郭色) {
    const bool outline = I_背景 != s_.backgroundPicture;
    for (int i = 0; i < 入力_点滅回数; ++i) {
        for (const int code : {I_背景, 入力_駒}) {
            描画_絵(code, 入力_X, 入力_Y);
            if (outline) 描画_桝輪郭(I_輪郭色, 入力_X, 入力_Y);
            platform_.refresh();
            待ち時間(BLINK_PHASE_SECONDS);
        }
    }
}

void Game::eraseCells(int fromX, int toX, int y) {
    for (int x = fromX; x <= toX; ++x)
        描画_絵(s_.backgroundPicture, x, y);
}

}
