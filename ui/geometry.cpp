#include "ui/geometry.h"

#include <algorithm>
#include <cmath>

namespace quorvel::geometry {

UnitPoint cellCorner(double cellX, double cellY) {
    return {gridOriginX + cellWidth * cellX, gridOriginY + cellHeight * cellY};
}

Cell cellAt(double unitsX, double unitsY) {
    return {static_cast<int>(std::floor((unitsX - gridOriginX) / cellWidth)),
            static_cast<int>(std::floor((unitsY - gridOriginY) / cellHeight))};
}

double unitsToLogical(double units) {
    return units / unitsPerPixel;
}

double logicalToUnits(double logical) {
    return logical * unitsPerPixel;
}

int unitsToDevice(double units, double devicePixelRatio) {
    // Multiply before dividing: unit values are multiples of 0.5 and the usual ratios (1, 1.25,
    // 1.5, 2) are exact binary fractions, so the product is exact and a half pixel stays a half.
    return static_cast<int>(std::floor(units * devicePixelRatio / unitsPerPixel + 0.5));
}

int lineWidthDevice(double devicePixelRatio) {
    return std::max(1, static_cast<int>(std::floor(devicePixelRatio + 0.5)));
}

double fitScale(double width, double height, double availableWidth, double availableHeight) {
    if (!(width > 0 && height > 0)) return 1;
    return std::clamp(std::min(availableWidth / width, availableHeight / height), 0.0, 1.0);
}

UnitPoint shownToUnits(double shownX, double shownY, double shownScale) {
    return {logicalToUnits(shownX / shownScale), logicalToUnits(shownY / shownScale)};
}

double unitsToShown(double units, double shownScale) {
    return unitsToLogical(units) * shownScale;
}

int pointToPixelSize(int pointSize) {
    return static_cast<int>(std::floor(pointSize * 96.0 / 72.0 + 0.5));
}

}
