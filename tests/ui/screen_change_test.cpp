// Moving the window to a screen with another device pixel ratio. Runs on an offscreen platform
// configured with two screens (two_screens.json): "low" at ratio 1 and "high" at ratio 2.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "ignoring_events.h"
#include "rules/pieces.h"
#include "ui/main_window.h"

namespace quorvel {
namespace {

class RedrawCounter : public IgnoringEvents {
  public:
    int redraws = 0;
    void redrawAll() override { ++redraws; }
};

QScreen* screenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) return screen;
    }
    return nullptr;
}

TEST(ScreenChangeTest, MovingToAHigherRatioRendersAgainAndAsksForARedraw) {
    QScreen* low = screenNamed("low");
    QScreen* high = screenNamed("high");
    if (low == nullptr || high == nullptr) GTEST_SKIP() << "needs the two-screen configuration";

    RedrawCounter game;
    MainWindow window;
    window.setEvents(&game);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Surface& surface = window.surface();
    ASSERT_EQ(surface.ratio(), 1.0);
    surface.drawOutline(12, 1, 1);  // (123, 84) .. (156, 125)
    QCoreApplication::processEvents();
    EXPECT_EQ(game.redraws, 0);

    window.windowHandle()->setScreen(high);
    window.move(high->geometry().topLeft());
    EXPECT_TRUE(QTest::qWaitFor([&] { return surface.devicePixelRatioF() == 2.0; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.redraws == 1; }));
    QTest::qWait(50);
    EXPECT_EQ(game.redraws, 1) << "one change of ratio, one redraw";

    EXPECT_EQ(surface.ratio(), 2.0);
    EXPECT_EQ(surface.image().size(), surface.size() * 2);
    EXPECT_EQ(surface.image().devicePixelRatio(), 2.0);
    EXPECT_EQ(surface.pictures().devicePixelRatio(), 2.0);
    EXPECT_EQ(surface.pictures().find(UPPER_KING)->size(), QSize(66, 82));
    // What was drawn stays, scaled, until the game draws again.
    const QRgb onLine = surface.image().pixel(246, 200);
    EXPECT_GT(qRed(onLine), 150);
    EXPECT_GT(qRed(onLine), qGreen(onLine));
    EXPECT_EQ(surface.image().pixel(252, 200) | 0xff000000u, qRgb(0, 128, 0));

    // New drawing lands at the new ratio: the king's corner (255, 84.33) is (510, 169) now.
    surface.drawPicture(UPPER_KING, 5, 1);
    const QImage drawn = surface.image().copy(QRect(510, 169, 66, 82));
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              surface.pictures().find(UPPER_KING)->convertToFormat(QImage::Format_RGB32));

    // Moving back renders at ratio 1 again.
    window.windowHandle()->setScreen(low);
    window.move(low->geometry().topLeft());
    EXPECT_TRUE(QTest::qWaitFor([&] { return surface.devicePixelRatioF() == 1.0; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.redraws == 2; }));
    EXPECT_EQ(surface.image().size(), surface.size());
    window.setEvents(nullptr);
}

}
}
