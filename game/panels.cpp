// Texts beside the board: the move number, the players' clocks and the strip below the board.

#include "game/clock_text.h"
#include "game/game.h"
#include "game/layout.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

constexpr int LABEL_MOVE_SUFFIX = 99;
const std::string kMoveSuffix = QT_TRANSLATE_N_NOOP("Game", "手目");
// A label's text starts this far right of and below its cell's corner, in drawing units.
constexpr double LABEL_OFFSET_X = 120;
constexpr double LABEL_OFFSET_Y = 160;
// A shadow lies one tenth of a cell right of and below its text.
constexpr double SHADOW_OFFSET = 0.1;

constexpr int PANEL_TEXT_SIZE = 12;
constexpr int SUFFIX_TEXT_SIZE = 10;

// The move number's text column moves left as the number grows. From four digits on, each
// further digit moves it about a digit's width further left, into cell 12, so that its last
// digit ends no further right than that of a three-digit number and stays clear of the suffix.
constexpr int MOVE_NUMBER_TENTHS_PER_DIGIT = 3;
constexpr double moveNumberTextX(int moveNumber) {
    if (moveNumber < 10) return 13.2;
    if (moveNumber < 100) return 13.1;
    int tenths = 130;
    for (int rest = moveNumber; rest >= 1000; rest /= 10)
        tenths -= MOVE_NUMBER_TENTHS_PER_DIGIT;
    return tenths / 10.0;
}
// The panel's cells; the number reaches into cell 12 from four digits on (up to six digits fit).
// Erasing from cell 12 every time also clears a long number after a take-back shortened it.
constexpr int MOVE_PANEL_FIRST_CELL = 12;
constexpr int MOVE_PANEL_LAST_CELL = 14;
// 千日手 is told on the row under the move number.
const std::string kRepetitionLabel = QT_TRANSLATE_NOOP("Game", "千日手");
constexpr int REPETITION_ROW = 4;
constexpr double REPETITION_TEXT_X = 12.9;
constexpr double REPETITION_TEXT_Y = 4.3;

}

void Game::描画_数値(double 入力X, double 入力Y, const std::string& 数値, int 色, int モード,
                     int フォントサイズ) {
    (void)モード;  // only one print mode exists
    platform_.drawText(数値, cellToUnitsX(入力X), cellToUnitsY(入力Y), 色, フォントサイズ);
}

void Game::描画_数値(double 入力X, double 入力Y, int 数値, int 色, int モード, int フォントサイズ) {
    // A non-negative number prints with a blank in its sign position.
    const std::string text = 数値 < 0 ? std::to_string(数値) : " " + std::to_string(数値);
    描画_数値(入力X, 入力Y, text, 色, モード, フォントサイズ);
}

void Game::描画_文字列(double 入力X, double 入力Y, int 数値, int 色, int サイズ, int 手数) {
    if (数値 != LABEL_MOVE_SUFFIX) return;
    platform_.drawCountLabel(kMoveSuffix, 手数, cellToUnitsX(入力X) + LABEL_OFFSET_X,
                             cellToUnitsY(入力Y) + LABEL_OFFSET_Y, 色, サイズ);
}

void Game::drawShadowedText(double textX, double textY, const std::string& text, int size) {
    描画_数値(textX + SHADOW_OFFSET, textY + SHADOW_OFFSET, text, shadowColour, 0, size);
    描画_数値(textX, textY, text, textColour, 0, size);
}

void Game::描画_手数(int 数値, int 色) {
    (void)色;  // the panel is always printed in textColour over its shadow
    eraseCells(MOVE_PANEL_FIRST_CELL, MOVE_PANEL_LAST_CELL, 3);
    const double x = moveNumberTextX(数値);
    描画_数値(x + SHADOW_OFFSET, 3.4, 数値, shadowColour, 0, PANEL_TEXT_SIZE);
    描画_数値(x, 3.3, 数値, textColour, 0, PANEL_TEXT_SIZE);
    描画_文字列(13.9, 3.2, LABEL_MOVE_SUFFIX, shadowColour, SUFFIX_TEXT_SIZE, 数値);
    描画_文字列(13.8, 3.1, LABEL_MOVE_SUFFIX, textColour, SUFFIX_TEXT_SIZE, 数値);
}

void Game::drawRepetitionLabel() {
    eraseCells(MOVE_PANEL_FIRST_CELL, MOVE_PANEL_LAST_CELL, REPETITION_ROW);
    drawShadowedText(REPETITION_TEXT_X, REPETITION_TEXT_Y, kRepetitionLabel, PANEL_TEXT_SIZE);
}

void Game::描画_所有時間(int IN_手番, double IN_思考時間) {
    if (!s_.marks.keika) return;
    const std::string text = 調査_時間秒追加結果(IN_思考時間);
    消去_所有時間(IN_手番);
    if (IN_手番 == s_.sides.manSide) {
        drawShadowedText(13, 9.2, text, PANEL_TEXT_SIZE);
    } else if (IN_手番 == s_.sides.comSide) {
        drawShadowedText(-1.6, 9.2, text, PANEL_TEXT_SIZE);
        // The tile erased at cell (0, 9) overlapped square (1, 9)'s left edge.
        描画_桝輪郭(gridColour, 1, 9);
    }
}

void Game::消去_所有時間(int IN_手番) {
    if (IN_手番 == s_.sides.manSide) {
        eraseCells(13, 15, 9);
    } else if (IN_手番 == s_.sides.comSide) {
        eraseCells(-2, 0, 9);
    }
}

void Game::描画_棋譜読込み部分消去() {
    eraseCells(-1, 0, 10);
    for (int x = 1; x <= boardSize; ++x) {
        描画_絵(s_.backgroundPicture, x, 10);
        // The tile's top edge lies on the board's bottom edge; the outline restores that line.
        描画_桝輪郭(gridColour, x, 9);
    }
}

}
