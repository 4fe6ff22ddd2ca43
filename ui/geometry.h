#pragma once

// The window's coordinate systems and the conversions between them, all in floating point:
//  - drawing units: 1/1440 inch, 15 units per logical pixel at 96 DPI;
//  - cells of the layout grid: cell (X, Y) has its top-left corner at (1350 + 495 X, 650 + 615 Y)
//    units; X and Y may be negative or fractional;
//  - logical pixels of the window, and device pixels = logical pixels x device pixel ratio;
//  - shown pixels: the window's logical pixels when a screen too small for it shows it shrunk.

#include "game/layout.h"

namespace quorvel::geometry {

inline constexpr double unitsPerPixel = 15.0;
inline constexpr double gridOriginX = boardLeft;
inline constexpr double gridOriginY = boardTop;
inline constexpr double cellWidth = squareWidth;
inline constexpr double cellHeight = squareHeight;

struct UnitPoint {
    double x = 0;
    double y = 0;
    bool operator==(const UnitPoint&) const = default;
};

struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell&) const = default;
};

// Top-left corner of a cell in drawing units.
UnitPoint cellCorner(double cellX, double cellY);

// The cell a point lies in, rounding down: negative left of or above the grid's origin.
Cell cellAt(double unitsX, double unitsY);

// Logical pixels <-> drawing units.
double unitsToLogical(double units);
double logicalToUnits(double logical);

// The device pixel a drawing-unit coordinate falls on at a device pixel ratio: the position in
// device pixels rounded to the nearest pixel (halves up). Every drawing call places its edges
// with this one function, so edges computed from equal unit values always meet on one pixel.
int unitsToDevice(double units, double devicePixelRatio);

// Width in device pixels of a line one logical pixel wide (at least one pixel).
int lineWidthDevice(double devicePixelRatio);

// The factor a window of width x height is shown at so that it fits the available area: 1 when
// it fits, otherwise the largest factor at which both sides fit. A window never grows.
double fitScale(double width, double height, double availableWidth, double availableHeight);

// A point of the surface as shown at `shownScale` (logical pixels of the window) -> drawing
// units of the game's picture, and back. Pressing and painting go through these two alone.
UnitPoint shownToUnits(double shownX, double shownY, double shownScale);
double unitsToShown(double units, double shownScale);

// Point size of a font -> its pixel size at 96 DPI, rounded as the system rounds font heights.
int pointToPixelSize(int pointSize);

}
