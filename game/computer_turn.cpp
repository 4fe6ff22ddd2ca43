// The computer's turn: the thinking label, the four trials, and the chosen move played on the
// board with its blink, the prince's step, a pause and the animated slide.

#include "ai/trials.h"
#include "game/game.h"
#include "game/magnets.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

const std::string kThinking = QT_TRANSLATE_NOOP("Game", "思考中");
constexpr int LABEL_ROW = 8;
constexpr int THINKING_TEXT_SIZE = 12;
constexpr int MAGNET_BLINKS = 2;

}

void Game::com_ban() {
    if (gameEnded(s_)) return;
    s_.clockStart = platform_.timeOfDay();
    if (s_.marks.keika) setTimer(true);

    eraseCells(-2, 0, LABEL_ROW);
    描画_数値(-1.5, 8.5, kThinking, shadowColour, 0, THINKING_TEXT_SIZE);
    描画_数値(-1.6, 8.4, kThinking, textColour, 0, THINKING_TEXT_SIZE);
    描画_桝輪郭(gridColour, 1, LABEL_ROW);
    platform_.refresh();

    // 入門 is the one-move look-ahead of the four trials; every level above asks the engine.
    const std::string bestDirection =
        s_.level == Level::入門
            ? tryDirections(s_.board, s_.savedBoard, s_.kings, s_.sides).bestDirection
            : std::string(wordOf(chosenMagnet(s_.level)));

    ++s_.moveNumber;
    描画_手数(s_.moveNumber, textColour);

    const Magnet& magnet = magnetOf(*directionFromWord(bestDirection));
    描画_駒点滅(magnet.code, magnet.cellX, magnet.cellY, MAGNET_BLINKS, s_.backgroundPicture,
                gridColour);
    const Square step = stepToward(magnet.direction, s_.princeX, s_.princeY);
    移動_太子(s_.princeX, s_.princeY, step.x, step.y);
    platform_.refresh();
    待ち時間(COMPUTER_MOVE_PAUSE_SECONDS);

    eraseCells(-2, 0, LABEL_ROW);
    重力処理(bestDirection);
    platform_.dsPlay(s_.soundMagnet);
    setTimer(false);
    noteMove(magnet.direction);
    勢力調査();

    if (showWinAfterMove(s_.sides.comSide)) return;
    s_.turn = s_.sides.manSide;
    if (showDrawAfterMove()) return;
    s_.clockStart = platform_.timeOfDay();
    if (s_.marks.keika) setTimer(true);
}

}
