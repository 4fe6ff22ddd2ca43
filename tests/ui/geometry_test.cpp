#include "ui/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::geometry {
namespace {

TEST(Geometry, CellCornersInUnits) {
    struct Case {
        double cellX, cellY;
        double unitsX, unitsY;
    };
    const Case cases[] = {
        {0, 0, 1350, 650},       {1, 1, 1845, 1265},  {5, 1, 3825, 1265},
        {9, 9, 5805, 6185},      {-1, 5, 855, 3725},  {11, 5, 6795, 3725},
        {5, -1, 3825, 35},       {5, 11, 3825, 7415}, {0.5, 2.5, 1597.5, 2187.5},
        {-2.25, 0, 236.25, 650},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cellX << "," << c.cellY);
        EXPECT_EQ(cellCorner(c.cellX, c.cellY), (UnitPoint{c.unitsX, c.unitsY}));
    }
}

TEST(Geometry, PressesRoundDownToCells) {
    struct Case {
        double unitsX, unitsY;
        Cell cell;
    };
    const Case cases[] = {
        {1350, 650, {0, 0}},  {1349.5, 649.5, {-1, -1}}, {1844.9, 1264.9, {0, 0}},
        {1845, 1265, {1, 1}}, {855, 650, {-1, 0}},       {854, 650, {-2, 0}},
        {0, 0, {-3, -2}},     {6794, 7414, {10, 10}},    {6795, 7415, {11, 11}},
        {3825, 1265, {5, 1}}, {9494.9, 8999, {16, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "units " << c.unitsX << "," << c.unitsY);
        EXPECT_EQ(cellAt(c.unitsX, c.unitsY), c.cell);
    }
}

TEST(Geometry, EveryCellCornerMapsBackToItsCell) {
    for (int y = -3; y <= 14; ++y) {
        for (int x = -4; x <= 16; ++x) {
            const UnitPoint corner = cellCorner(x, y);
            EXPECT_EQ(cellAt(corner.x, corner.y), (Cell{x, y})) << x << "," << y;
            EXPECT_EQ(cellAt(corner.x - 0.01, corner.y - 0.01), (Cell{x - 1, y - 1}))
                << x << "," << y;
        }
    }
}

TEST(Geometry, LogicalPixelsAreFifteenUnits) {
    EXPECT_EQ(logicalToUnits(57.0), 855.0);
    EXPECT_EQ(logicalToUnits(90.0), 1350.0);
    EXPECT_EQ(logicalToUnits(0.5), 7.5);
    EXPECT_DOUBLE_EQ(unitsToLogical(1265.0), 84.0 + 1.0 / 3.0);
    EXPECT_EQ(unitsToLogical(9500.0), 633.0 + 1.0 / 3.0);
    // A press one unit left of column -1's edge falls in column -2.
    EXPECT_EQ(cellAt(logicalToUnits(57.0), 650).x, -1);
    EXPECT_EQ(cellAt(logicalToUnits(854.0 / 15.0), 650).x, -2);
}

TEST(Geometry, UnitsToDevicePixelsAtEachRatio) {
    struct Case {
        double units;
        double ratio;
        int device;
    };
    const Case cases[] = {
        // Upper king's corner (3825, 1265) = (255, 84.33) logical pixels.
        {3825, 1, 255}, {1265, 1, 84},  {3825, 1.5, 383}, {1265, 1.5, 127},  {3825, 2, 510},
        {1265, 2, 169}, {1880, 1, 125}, {1880, 1.5, 188}, {1880, 2, 251},    {855, 1.5, 86},
        {7.5, 1, 1},    {7.4, 1, 0},    {0, 2, 0},        {9000, 1.25, 750},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.units << " units at ratio " << c.ratio);
        EXPECT_EQ(unitsToDevice(c.units, c.ratio), c.device);
    }
}

TEST(Geometry, LineWidthIsOneLogicalPixel) {
    EXPECT_EQ(lineWidthDevice(1), 1);
    EXPECT_EQ(lineWidthDevice(1.25), 1);
    EXPECT_EQ(lineWidthDevice(1.5), 2);
    EXPECT_EQ(lineWidthDevice(2), 2);
    EXPECT_EQ(lineWidthDevice(3), 3);
    EXPECT_EQ(lineWidthDevice(0.5), 1);
}

TEST(Geometry, FontPointSizesAt96Dpi) {
    EXPECT_EQ(pointToPixelSize(9), 12);
    EXPECT_EQ(pointToPixelSize(10), 13);
    EXPECT_EQ(pointToPixelSize(12), 16);
    EXPECT_EQ(pointToPixelSize(14), 19);
    EXPECT_EQ(pointToPixelSize(20), 27);
}

// At every ratio, a press on the first device pixel row or column where a cell's outline is
// drawn lands in that cell or the one before it, and a press one device pixel further lands in
// the cell: the drawn grid and the press grid never drift apart by more than a device pixel.
TEST(Geometry, DrawnEdgesAndPressEdgesAgreeAtEveryRatio) {
    for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (int cell = -1; cell <= 11; ++cell) {
            SCOPED_TRACE(testing::Message() << "ratio " << ratio << " cell " << cell);
            const UnitPoint corner = cellCorner(cell, cell);
            const int edgeX = unitsToDevice(corner.x, ratio);
            const int edgeY = unitsToDevice(corner.y, ratio);
            // A press at device pixel d reaches the game as d / ratio logical pixels.
            auto pressCell = [ratio](int deviceX, int deviceY) {
                return cellAt(logicalToUnits(deviceX / ratio), logicalToUnits(deviceY / ratio));
            };
            const Cell onEdge = pressCell(edgeX, edgeY);
            EXPECT_GE(onEdge.x, cell - 1);
            EXPECT_LE(onEdge.x, cell);
            EXPECT_GE(onEdge.y, cell - 1);
            EXPECT_LE(onEdge.y, cell);
            EXPECT_EQ(pressCell(edgeX + 1, edgeY + 1), (Cell{cell, cell}));
            EXPECT_EQ(pressCell(edgeX - 1, edgeY - 1), (Cell{cell - 1, cell - 1}));
        }
    }
}

// A window shrinks to the available area, by one factor for both sides, and never grows.
TEST(Geometry, FitScaleShrinksToTheAvailableArea) {
    struct Case {
        double width, height, availableWidth, availableHeight, scale;
    };
    const Case cases[] = {
        {633, 600, 1024, 768, 1},
        {633, 600, 633, 600, 1},
        {633, 600, 960, 510, 0.85},
        {633, 600, 316.5, 600, 0.5},
        {1266, 1200, 1920, 1040, 1040.0 / 1200},
        {633, 600, 0, 0, 0},
        {0, 600, 100, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " in " << c.availableWidth
                                        << "x" << c.availableHeight);
        EXPECT_DOUBLE_EQ(fitScale(c.width, c.height, c.availableWidth, c.availableHeight), c.scale);
    }
}

// A press on the shrunk window lands on the cell drawn under it: the magnets' centres and the
// board's corners map back to their cells at every scale.
TEST(Geometry, ShownPointsMapBackToTheGamesUnits) {
    struct Case {
        double shownX, shownY, scale;
        Cell cell;
    };
    const Case cases[] = {
        {271, 22, 1, {5, -1}},
        {271 * 0.85, 22 * 0.85, 0.85, {5, -1}},
        {73 * 0.5, 268 * 0.5, 0.5, {-1, 5}},
        {469 * 0.9, 268 * 0.9, 0.9, {11, 5}},
        {123.1 * 0.6, 84.5 * 0.6, 0.6, {1, 1}},
        {122.9 * 0.6, 84.5 * 0.6, 0.6, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shownX << "," << c.shownY << " at " << c.scale);
        const UnitPoint units = shownToUnits(c.shownX, c.shownY, c.scale);
        EXPECT_EQ(cellAt(units.x, units.y), c.cell);
        EXPECT_NEAR(unitsToShown(units.x, c.scale), c.shownX, 1e-9);
        EXPECT_NEAR(unitsToShown(units.y, c.scale), c.shownY, 1e-9);
    }
}

}
}
