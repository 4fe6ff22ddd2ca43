#pragma once

// The painters behind renderPicture. Each one receives a transparent canvas of its picture's
// size (see makeCanvas) and must cover every pixel of it.

#include <QImage>

namespace quorvel::art {

// Picture codes besides the pieces and magnets (the game uses the same numbers).
inline constexpr int TITLE = 1;
inline constexpr int BACKGROUND_GREEN = 2;
inline constexpr int BACKGROUND_TATAMI = 3;
inline constexpr int BACKGROUND_BAMBOO = 4;
inline constexpr int BACKGROUND_SPACE = 5;
inline constexpr int BACKGROUND_BRICK = 6;

// A board square of kaya wood. Pieces and the prince are painted over it.
void paintEmptySquare(QImage& canvas);

// A shogi piece of either side, promoted forms included, standing on a board square.
void paintPiece(QImage& canvas, int code);

// The prince: a polished stone on a board square.
void paintPrince(QImage& canvas);

// A horseshoe magnet on its own plate, poles toward the board.
void paintMagnet(QImage& canvas, int code);

// One of the five tileable background patterns.
void paintBackground(QImage& canvas, int code);

// The name plate of the game.
void paintTitle(QImage& canvas);

}
