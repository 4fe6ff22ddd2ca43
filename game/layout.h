#pragma once

// The layout grid of the window, in drawing units of 1/1440 inch. Cell (X, Y), where X and Y may
// be negative or fractional, has its top-left corner at (boardLeft + squareWidth X,
// boardTop + squareHeight Y); board square (column, row) is the cell of the same numbers.

namespace quorvel {

inline constexpr double boardLeft = 1350;
inline constexpr double boardTop = 650;
inline constexpr double squareWidth = 495;
inline constexpr double squareHeight = 615;

constexpr double cellToUnitsX(double cellX) {
    return boardLeft + squareWidth * cellX;
}
constexpr double cellToUnitsY(double cellY) {
    return boardTop + squareHeight * cellY;
}

}
