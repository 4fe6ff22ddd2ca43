// Where the help window opens and how its page fits the window's width.

#include "ui/help_window.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

// Beside the game where at least 360 pixels are free, level with its top; over the game's right
// part only where the screen has no such room; never beyond the available area.
TEST(HelpWindowPlace, BesideTheGameWithinTheScreen) {
    struct Case {
        const char* screen;
        QRect game, available, placed;
    };
    const QSize preferred(880, 690);
    const Case cases[] = {
        {"1600 x 1000", {0, 0, 633, 600}, {0, 0, 1600, 1000}, {633, 0, 880, 690}},
        {"1024 x 768", {0, 0, 633, 600}, {0, 0, 1024, 768}, {633, 0, 391, 690}},
        {"960 x 540 (1920 x 1080 at 2)", {0, 0, 542, 516}, {0, 0, 960, 540}, {542, 0, 418, 540}},
        {"game on the right", {700, 100, 633, 600}, {0, 0, 1366, 768}, {0, 78, 700, 690}},
        {"800 x 600", {0, 0, 633, 600}, {0, 0, 800, 600}, {0, 0, 800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        EXPECT_EQ(besideGame(c.game, c.available, preferred, 360), c.placed);
    }
}

// A page narrower than the preferred width stacks its pictures and shrinks them to fit.
TEST(HelpWindowPlace, NarrowPagesStackAndShrinkTheirPictures) {
    struct Case {
        int width;
        PageFit fit;
    };
    const Case cases[] = {
        {880, {false, 1}},          {1200, {false, 1}}, {879, {true, 1}},
        {391, {true, 327.0 / 371}}, {200, {true, 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(pageFit(c.width).stacked, c.fit.stacked);
        EXPECT_DOUBLE_EQ(pageFit(c.width).scale, c.fit.scale);
    }
}

}
}
