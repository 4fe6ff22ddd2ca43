// The drawing surface at the ratio the test run was started with (QT_SCALE_FACTOR 1, 1.5, 2).

#include "ui/surface.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <functional>

#include "rules/pieces.h"
#include "ui/fonts.h"
#include "ui/geometry.h"
#include "ui/palette.h"

namespace quorvel {
namespace {

constexpr QRgb green = qRgb(0, 128, 0);
constexpr QRgb red = qRgb(255, 0, 0);
constexpr QRgb blue = qRgb(0, 0, 255);

// A surface of the size of the game's client area.
class SurfaceTest : public testing::Test {
  protected:
    SurfaceTest() { surface.resize(633, 578); }

    qreal ratio() { return surface.ratio(); }
    QRgb pixel(int x, int y) { return surface.image().pixel(x, y) | 0xff000000u; }

    // Device pixels whose colour differs between two images of the same size.
    static QRect changedArea(const QImage& before, const QImage& after) {
        QRect area;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) != after.pixel(x, y)) area |= QRect(x, y, 1, 1);
            }
        }
        return area;
    }

    Surface surface;
};

// Device pixels worked out by hand at each ratio. Cell (1, 1) has its corner at (1845, 1265)
// units = (123, 84.33) logical pixels and its far corner at (2340, 1880) = (156, 125.33); cell
// (5, 1) starts at 3825 units = 255 logical pixels. A client area of 633 x 578 or 700 logical
// pixels wide takes whole device pixels, rounded up.
struct HandWorked {
    double ratio;
    int left, top, right, bottom, line, left5, width, height, width700;
};
constexpr HandWorked handWorked[] = {
    {1.0, 123, 84, 156, 125, 1, 255, 633, 578, 700},
    {1.5, 185, 127, 234, 188, 2, 383, 950, 867, 1050},
    {2.0, 246, 169, 312, 251, 2, 510, 1266, 1156, 1400},
};

const HandWorked* handWorkedAt(double ratio) {
    for (const HandWorked& c : handWorked) {
        if (c.ratio == ratio) return &c;
    }
    return nullptr;
}

TEST_F(SurfaceTest, ImageCoversTheWidgetAtTheScreenRatio) {
    const HandWorked* expected = handWorkedAt(ratio());
    ASSERT_NE(expected, nullptr) << "no hand-worked case for ratio " << ratio();
    EXPECT_EQ(ratio(), surface.devicePixelRatioF());
    EXPECT_EQ(surface.image().size(), QSize(expected->width, expected->height));
    EXPECT_EQ(surface.pictures().devicePixelRatio(), ratio());
    // Starts in the window's background colour, palette index 2.
    for (const QPoint at : {QPoint(0, 0), QPoint(300, 200),
                            QPoint(surface.image().width() - 1, surface.image().height() - 1)}) {
        EXPECT_EQ(pixel(at.x(), at.y()), green);
    }
}

TEST_F(SurfaceTest, OutlineLandsOnTheCellEdges) {
    const HandWorked* expected = handWorkedAt(ratio());
    if (expected == nullptr) GTEST_SKIP() << "no hand-worked case for ratio " << ratio();

    surface.drawOutline(12, 1, 1);
    const int l = expected->left, t = expected->top, r = expected->right, b = expected->bottom;
    const int w = expected->line;
    // Each edge is `w` device pixels thick, from the near corner to the far one inclusive.
    for (int i = 0; i < w; ++i) {
        for (int y = t; y <= b + w - 1; ++y) {
            EXPECT_EQ(pixel(l + i, y), red) << "left edge " << l + i << "," << y;
            EXPECT_EQ(pixel(r + i, y), red) << "right edge " << r + i << "," << y;
        }
        for (int x = l; x <= r + w - 1; ++x) {
            EXPECT_EQ(pixel(x, t + i), red) << "top edge " << x << "," << t + i;
            EXPECT_EQ(pixel(x, b + i), red) << "bottom edge " << x << "," << b + i;
        }
    }
    // Unfilled, and nothing outside the edges.
    EXPECT_EQ(pixel(l + w, t + w), green);
    EXPECT_EQ(pixel((l + r) / 2, (t + b) / 2), green);
    EXPECT_EQ(pixel(r - 1, b - 1), green);
    EXPECT_EQ(pixel(l - 1, t), green);
    EXPECT_EQ(pixel(l, t - 1), green);
    EXPECT_EQ(pixel(r + w, b), green);
    EXPECT_EQ(pixel(r, b + w), green);
}

// Neighbouring squares share their edge lines, at every ratio: the right edge of a cell is
// painted on exactly the pixels of the left edge of the cell to its right, and likewise down.
TEST_F(SurfaceTest, NeighbouringOutlinesShareEdges) {
    for (int cell = 0; cell <= 9; ++cell) {
        SCOPED_TRACE(testing::Message() << "cell " << cell);
        Surface first;
        first.resize(633, 578);
        first.drawOutline(12, cell, cell);
        Surface second;
        second.resize(633, 578);
        second.drawOutline(12, cell + 1, cell + 1);
        const QImage blank = surface.image();
        const QRect a = changedArea(blank, first.image());
        const QRect b = changedArea(blank, second.image());
        const int line = geometry::lineWidthDevice(ratio());
        EXPECT_EQ(a.right() - line + 1, b.left());
        EXPECT_EQ(a.bottom() - line + 1, b.top());
        // Overdrawing in another colour replaces the shared edge completely.
        first.drawOutline(9, cell + 1, cell + 1);
        for (int i = 0; i < line; ++i) {
            const QRgb onEdge = first.image().pixel(b.left() + i, b.top() + 3) | 0xff000000u;
            EXPECT_EQ(onEdge, blue);
        }
        EXPECT_EQ(first.image().pixel(b.left() - 1, a.top() + 3) | 0xff000000u, green);
    }
}

TEST_F(SurfaceTest, PictureLandsAtTheCellCornerPixelForPixel) {
    const QImage* king = surface.pictures().find(UPPER_KING);
    ASSERT_NE(king, nullptr);
    EXPECT_EQ(king->size(), QSize(33, 41) * ratio());
    const QImage before = surface.image();
    surface.drawPicture(UPPER_KING, 5, 1);
    const HandWorked* expected = handWorkedAt(ratio());
    ASSERT_NE(expected, nullptr) << "no hand-worked case for ratio " << ratio();
    const QPoint at(expected->left5, expected->top);
    const QImage drawn = surface.image().copy(QRect(at, king->size()));
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              king->convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(changedArea(before, surface.image()).united(QRect(at, king->size())),
              QRect(at, king->size()))
        << "the picture spills past its natural size";
}

TEST_F(SurfaceTest, PicturesAtFractionalAndNegativeCells) {
    struct Case {
        int code;
        double cellX, cellY;
    };
    const Case cases[] = {{MAGNET_LEFT, -1, 5}, {MAGNET_UP, 5, -1}, {PRINCE, 4.5, 2.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        Surface target;
        target.resize(633, 578);
        const QImage before = target.image();
        target.drawPicture(c.code, c.cellX, c.cellY);
        const geometry::UnitPoint corner = geometry::cellCorner(c.cellX, c.cellY);
        const QImage* picture = target.pictures().find(c.code);
        ASSERT_NE(picture, nullptr);
        const QRect expected(QPoint(geometry::unitsToDevice(corner.x, ratio()),
                                    geometry::unitsToDevice(corner.y, ratio())),
                             picture->size());
        const QRect changed = changedArea(before, target.image());
        EXPECT_TRUE(expected.contains(changed)) << "changed area outside the picture";
        EXPECT_EQ(target.image().copy(expected).convertToFormat(QImage::Format_RGB32),
                  picture->convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(SurfaceTest, UnknownPictureCodeDrawsNothing) {
    const QImage before = surface.image();
    for (const int code : {7, -1, 12345, 200})
        surface.drawPicture(code, 3, 3);
    EXPECT_EQ(surface.image(), before);
}

TEST_F(SurfaceTest, BoardFontIsBoldMinchoSizedFor96Dpi) {
    const QFont font = boardFont(9);
    const QFontInfo info(font);
    EXPECT_EQ(info.family(), QStringLiteral("IPAPMincho"));
    EXPECT_TRUE(info.bold());
    EXPECT_EQ(info.pixelSize(), 12);
    EXPECT_EQ(QFontInfo(boardFont(14)).pixelSize(), 19);
}

TEST_F(SurfaceTest, TextPaintsOnlyGlyphsFromItsTopLeftCorner) {
    const QImage before = surface.image();
    const double unitsX = 3000, unitsY = 6000;
    const int pointSize = 14;
    surface.drawText(QStringLiteral("王手"), unitsX, unitsY, 15, pointSize);
    const QRect changed = changedArea(before, surface.image());
    ASSERT_FALSE(changed.isEmpty());

    const double x = unitsX * ratio() / 15, y = unitsY * ratio() / 15;
    const double em = geometry::pointToPixelSize(pointSize) * ratio();
    // The glyphs start at the corner (kanji have a little side bearing and sit below the
    // line's top), span two ideographs and stay within the line's height.
    EXPECT_GE(changed.left(), x - 1);
    EXPECT_LE(changed.left(), x + 0.25 * em);
    EXPECT_GE(changed.top(), y - 1);
    EXPECT_LE(changed.top(), y + 0.4 * em);
    EXPECT_GE(changed.width(), 1.5 * em);
    EXPECT_LE(changed.right(), x + 2.2 * em);
    EXPECT_LE(changed.bottom(), y + 1.4 * em);
    // Drawn at device resolution: the glyphs are as tall as the font at this ratio.
    EXPECT_GE(changed.height(), 0.7 * em);

    // Only glyphs: much of the box keeps the background, and edges are antialiased (colours
    // between the background and white occur).
    int background = 0, white = 0, between = 0;
    for (int py = changed.top(); py <= changed.bottom(); ++py) {
        for (int px = changed.left(); px <= changed.right(); ++px) {
            const QRgb c = pixel(px, py);
            if (c == green) {
                ++background;
            } else if (c == qRgb(255, 255, 255)) {
                ++white;
            } else {
                ++between;
            }
        }
    }
    EXPECT_GT(background, changed.width() * changed.height() / 5);
    EXPECT_GT(white, 0);
    EXPECT_GT(between, 0);
}

TEST_F(SurfaceTest, TextColourComesFromThePalette) {
    const QImage before = surface.image();
    surface.drawText(QStringLiteral("一"), 3000, 6000, 14, 20);  // yellow, a thick bar
    const QRect changed = changedArea(before, surface.image());
    ASSERT_FALSE(changed.isEmpty());
    int yellow = 0;
    for (int py = changed.top(); py <= changed.bottom(); ++py) {
        for (int px = changed.left(); px <= changed.right(); ++px) {
            if (pixel(px, py) == qRgb(255, 255, 0)) ++yellow;
        }
    }
    EXPECT_GT(yellow, 0);
}

TEST_F(SurfaceTest, PaletteHasTheSixteenColours) {
    const QRgb expected[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(paletteColour(i).rgb(), expected[i]) << i;
    EXPECT_EQ(paletteColour(16).rgb(), expected[0]);
    EXPECT_EQ(paletteColour(-1).rgb(), expected[0]);
}

// A press of any button reports its position in drawing units, fractions kept.
TEST_F(SurfaceTest, PressesArriveInDrawingUnits) {
    QSignalSpy spy(&surface, &Surface::pressed);
    struct Case {
        QPointF logical;
        Qt::MouseButton button;
        double unitsX, unitsY;
    };
    const Case cases[] = {
        {{57, 100}, Qt::LeftButton, 855, 1500},
        {{56.9, 43.5}, Qt::RightButton, 56.9 * 15, 652.5},
        {{0, 0}, Qt::MiddleButton, 0, 0},
        {{255.5, 84.25}, Qt::LeftButton, 3832.5, 1263.75},
    };
    for (const Case& c : cases) {
        QMouseEvent press(QEvent::MouseButtonPress, c.logical, surface.mapToGlobal(c.logical),
                          c.button, c.button, Qt::NoModifier);
        QCoreApplication::sendEvent(&surface, &press);
    }
    ASSERT_EQ(spy.count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(spy.at(i).at(0).toDouble(), cases[i].unitsX) << i;
        EXPECT_DOUBLE_EQ(spy.at(i).at(1).toDouble(), cases[i].unitsY) << i;
    }
    // Through the window system too (integer logical positions).
    QTest::mousePress(&surface, Qt::LeftButton, Qt::NoModifier, QPoint(57, 43));
    ASSERT_EQ(spy.count(), 5);
    EXPECT_EQ(spy.at(4).at(0).toDouble(), 855.0);
    EXPECT_EQ(spy.at(4).at(1).toDouble(), 645.0);
}

// Paints counted, to tell a synchronous repaint from a scheduled one.
class CountingSurface : public Surface {
  public:
    int paints = 0;
    QRegion painted;  // every area repainted since the counter was made

  protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        painted |= event->region();
        Surface::paintEvent(event);
    }
};

TEST_F(SurfaceTest, RefreshShowsTheImageAtOnce) {
    CountingSurface shown;
    shown.resize(633, 578);
    shown.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
    QCoreApplication::processEvents();
    shown.drawOutline(12, 1, 1);
    const int paintsBefore = shown.paints;
    shown.refresh();  // no event processing in between
    EXPECT_EQ(shown.paints, paintsBefore + 1);

    // What is shown is the image, pixel for pixel.
    const QImage onScreen = shown.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage image = shown.image().convertToFormat(QImage::Format_RGB32);
    const int width = std::min(onScreen.width(), image.width());
    const int height = std::min(onScreen.height(), image.height());
    EXPECT_GE(width, image.width() - 1);
    EXPECT_GE(height, image.height() - 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (onScreen.pixel(x, y) != image.pixel(x, y)) {
                FAIL() << "shown pixel differs at " << x << "," << y;
            }
        }
    }
}

// A refresh repaints what was drawn since the last one, every changed pixel of it, and little
// else: the clock's second and each step of a slide do not send the whole window to the screen.
TEST_F(SurfaceTest, RefreshRepaintsOnlyWhatWasDrawn) {
    struct DrawCase {
        const char* name;
        std::function<void(Surface&)> draw;
    };
    const DrawCase cases[] = {
        {"outline", [](Surface& s) { s.drawOutline(12, 1, 1); }},
        {"picture", [](Surface& s) { s.drawPicture(UPPER_KING, 5, 1); }},
        {"picture half off the window", [](Surface& s) { s.drawPicture(PRINCE, -0.5, 3); }},
        {"text", [](Surface& s) { s.drawText(QStringLiteral("先手 00:12:34"), 60, 7900, 15, 12); }},
        {"two far apart",
         [](Surface& s) {
             s.drawOutline(12, 1, 1);
             s.drawText(QStringLiteral("手目"), 4000, 200, 0, 10);
         }},
        // The same text again is measured once: each drawing must still cover its own place
        // and its own size.
        {"same text elsewhere",
         [](Surface& s) {
             s.drawText(QStringLiteral("00:12:34"), 60, 7900, 0, 12);
             s.drawText(QStringLiteral("00:12:34"), 660, 5500, 15, 12);
         }},
        {"same text larger",
         [](Surface& s) {
             s.drawText(QStringLiteral("00:12:34"), 60, 7900, 0, 8);
             s.drawText(QStringLiteral("00:12:34"), 60, 4000, 15, 28);
         }},
    };
    for (const DrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        CountingSurface shown;
        shown.resize(633, 578);
        shown.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
        QCoreApplication::processEvents();
        shown.refresh();  // whatever the set-up left pending
        const QImage before = shown.image().copy();
        shown.paints = 0;
        shown.painted = QRegion();

        c.draw(shown);
        shown.refresh();
        EXPECT_EQ(shown.paints, 1);
        const QRect changed = changedArea(before, shown.image());
        ASSERT_FALSE(changed.isEmpty());
        const qreal r = shown.image().devicePixelRatio();
        const QRect changedLogical =
            QRectF(changed.x() / r, changed.y() / r, changed.width() / r, changed.height() / r)
                .toAlignedRect();
        // (QRegion::contains(QRect) only asks for an overlap.)
        EXPECT_TRUE((QRegion(changedLogical) - shown.painted).isEmpty())
            << "changed pixels outside the repainted area";
        const QRect bounds = shown.painted.boundingRect();
        EXPECT_LE(bounds.width() * bounds.height(), 633 * 578 / 2) << "repainted half the window";

        // Nothing new drawn: nothing repainted.
        shown.refresh();
        EXPECT_EQ(shown.paints, 1);
    }
}

TEST_F(SurfaceTest, ResizeKeepsWhatWasDrawn) {
    surface.drawOutline(12, 1, 1);
    const QImage before = surface.image();
    surface.resize(700, 600);
    ASSERT_NE(handWorkedAt(ratio()), nullptr) << "no hand-worked case for ratio " << ratio();
    EXPECT_EQ(surface.image().width(), handWorkedAt(ratio())->width700);
    EXPECT_EQ(surface.image().copy(before.rect()), before);
    EXPECT_EQ(surface.image().pixel(surface.image().width() - 1, surface.image().height() - 1) |
                  0xff000000u,
              green);
}

}
}
