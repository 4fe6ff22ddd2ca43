// The window driven by the real game object: what the game's drawing operations leave on the
// surface, at the ratio the test run was started with (QT_SCALE_FACTOR 1, 1.5, 2).

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "box_closer.h"
#include "game/game.h"
#include "game/magnets.h"
#include "ui/game_link.h"
#include "ui/geometry.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace quorvel {
namespace {

constexpr QRgb green = qRgb(0, 128, 0);

// Device pixel rectangle of a cell: from its corner to the next cell's corner (exclusive).
QRect cellRect(double cellX, double cellY, qreal ratio) {
    const geometry::UnitPoint a = geometry::cellCorner(cellX, cellY);
    const geometry::UnitPoint b = geometry::cellCorner(cellX + 1, cellY + 1);
    const QPoint topLeft(geometry::unitsToDevice(a.x, ratio), geometry::unitsToDevice(a.y, ratio));
    const QPoint bottomRight(geometry::unitsToDevice(b.x, ratio) - 1,
                             geometry::unitsToDevice(b.y, ratio) - 1);
    return {topLeft, bottomRight};
}

QRect changedArea(const QImage& before, const QImage& after) {
    QRect area;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

// Pixels of `area` (surface device pixels) that differ from the picture laid with its top-left
// corner at `origin`.
int pixelsDifferingFromPicture(const QImage& surface, const QImage& picture, QPoint origin,
                               QRect area) {
    const QImage pic = picture.convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QPoint inPicture = QPoint(x, y) - origin;
            if (!pic.rect().contains(inPicture)) continue;
            if ((surface.pixel(x, y) | 0xff000000u) != (pic.pixel(inPicture) | 0xff000000u)) {
                ++differing;
            }
        }
    }
    return differing;
}

class GameSurfaceTest : public testing::Test {
  protected:
    GameSurfaceTest()
        : previous(QDir::currentPath()), platform(window), game(platform), link(game) {
        // No settings file and no sound files here: the game starts from its defaults.
        QDir::setCurrent(folder.path());
        window.setEvents(&link);
        BoxCloser closer;
        game.onLoad();
    }
    ~GameSurfaceTest() override {
        window.setEvents(nullptr);
        QDir::setCurrent(previous);
    }

    Surface& surface() { return window.surface(); }
    qreal ratio() { return surface().ratio(); }

    QTemporaryDir folder;
    QString previous;
    MainWindow window;
    QtPlatform platform;
    Game game;
    GameLink link;
};

TEST_F(GameSurfaceTest, SquareOutlinesAreGreenAroundWoodenSquares) {
    const QImage& image = surface().image();
    const int line = geometry::lineWidthDevice(ratio());
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            SCOPED_TRACE(testing::Message() << "square " << x << "," << y);
            const QRect cell = cellRect(x, y, ratio());
            const QPoint midLeft(cell.left(), cell.center().y());
            const QPoint midTop(cell.center().x(), cell.top());
            EXPECT_EQ(image.pixel(midLeft) | 0xff000000u, green);
            EXPECT_EQ(image.pixel(midTop) | 0xff000000u, green);
            // The square's own right and bottom edges are the next squares' left and top.
            EXPECT_EQ(image.pixel(cell.right() + 1, cell.center().y()) | 0xff000000u, green);
            EXPECT_EQ(image.pixel(cell.center().x(), cell.bottom() + 1) | 0xff000000u, green);
            // Just inside the line lies the square's picture, not the outline colour.
            EXPECT_NE(image.pixel(midLeft + QPoint(line, 0)) | 0xff000000u, green);
            EXPECT_NE(image.pixel(midTop + QPoint(0, line)) | 0xff000000u, green);
        }
    }
}

TEST_F(GameSurfaceTest, EverySquareShowsItsPieceAndNoBackground) {
    const QImage& image = surface().image();
    const int line = geometry::lineWidthDevice(ratio());
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            SCOPED_TRACE(testing::Message() << "square " << x << "," << y);
            const QImage* picture = surface().pictures().find(game.state().board(x, y));
            ASSERT_NE(picture, nullptr);
            const QRect cell = cellRect(x, y, ratio());
            // Everything inside the outline is the square's picture.
            const QRect inside = cell.adjusted(line, line, 0, 0);
            EXPECT_EQ(pixelsDifferingFromPicture(image, *picture, cell.topLeft(), inside), 0);
        }
    }
    // The background really is there, around the board.
    const QImage* tile = surface().pictures().find(game.state().backgroundPicture);
    ASSERT_NE(tile, nullptr);
    const QRect outside = cellRect(0, 0, ratio());
    EXPECT_EQ(pixelsDifferingFromPicture(image, *tile, outside.topLeft(),
                                         outside.adjusted(0, 0, -line, -line)),
              0);
}

TEST_F(GameSurfaceTest, UpperKingLandsAtItsCorner) {
    ASSERT_EQ(game.state().board(5, 1), UPPER_KING);
    // (3825, 1265) units = (255, 84.33) logical pixels, at ratios 1, 1.5 and 2 worked out by hand.
    const QPoint corner = ratio() == 1     ? QPoint(255, 84)
                          : ratio() == 1.5 ? QPoint(383, 127)
                                           : QPoint(510, 169);
    ASSERT_TRUE(ratio() == 1 || ratio() == 1.5 || ratio() == 2) << ratio();
    const QImage* king = surface().pictures().find(UPPER_KING);
    ASSERT_NE(king, nullptr);
    const int line = geometry::lineWidthDevice(ratio());
    // Inside the outline, up to the next squares' edges (at ratio 1.5 a 49.5-pixel picture is
    // rendered 50 pixels wide and its last column lies under the next square).
    const QRect cell = cellRect(5, 1, ratio());
    ASSERT_EQ(cell.topLeft(), corner);
    const QRect inside = cell.adjusted(line, line, 0, 0);
    EXPECT_EQ(pixelsDifferingFromPicture(surface().image(), *king, corner, inside), 0);
    // And not one pixel higher: the row above the outline belongs to the square above.
    EXPECT_GT(pixelsDifferingFromPicture(surface().image(), *king, corner - QPoint(0, 1),
                                         inside.translated(0, -1)),
              0);
}

TEST_F(GameSurfaceTest, MagnetsAndTitleAreWhollyInsideTheWindow) {
    const QImage& image = surface().image();
    struct Item {
        int code;
        double cellX, cellY;
    };
    std::vector<Item> items;
    for (const Magnet& m : MAGNETS)
        items.push_back({m.code, double(m.cellX), double(m.cellY)});
    items.push_back({PICTURE_LOGO, 10.8, 0});
    for (const Item& item : items) {
        SCOPED_TRACE(testing::Message() << "code " << item.code);
        const QImage* picture = surface().pictures().find(item.code);
        ASSERT_NE(picture, nullptr);
        const geometry::UnitPoint corner = geometry::cellCorner(item.cellX, item.cellY);
        const QPoint origin(geometry::unitsToDevice(corner.x, ratio()),
                            geometry::unitsToDevice(corner.y, ratio()));
        const QRect area(origin, picture->size());
        EXPECT_TRUE(image.rect().contains(area)) << "clipped by the window's edge";
        EXPECT_EQ(pixelsDifferingFromPicture(image, *picture, origin, area), 0);
    }
}

TEST_F(GameSurfaceTest, UnknownPictureCodeChangesNoPixel) {
    const QImage before = surface().image();
    game.描画_絵(7, 3, 3);
    game.描画_絵(7, -1, 0.5);
    EXPECT_EQ(surface().image(), before);
}

// The move number is printed with its text start moving left as digits are added, and stays
// clear of the window's right edge.
TEST_F(GameSurfaceTest, MoveNumberGrowsToTheLeft) {
    std::vector<QRect> areas;
    for (const int moveNumber : {9, 10, 100}) {
        // The panel's own background first, so that only the texts differ.
        for (int x = 12; x <= 14; ++x)
            game.描画_絵(game.state().backgroundPicture, x, 3);
        const QImage before = surface().image();
        game.描画_手数(moveNumber, textColour);
        const QRect changed = changedArea(before, surface().image());
        ASSERT_FALSE(changed.isEmpty()) << moveNumber;
        EXPECT_LT(changed.right(), surface().image().width()) << moveNumber;
        areas.push_back(changed);
    }
    EXPECT_GT(areas[0].left(), areas[1].left());
    EXPECT_GT(areas[1].left(), areas[2].left());
    // The text starts at the cell column the game chose, within 20 logical pixels right of 13.0
    // cells: 7785 units = 519 logical pixels, 779 device pixels at ratio 1.5 and 1038 at 2.
    const int column13 = ratio() == 1 ? 519 : ratio() == 1.5 ? 779 : 1038;
    EXPECT_GE(areas[2].left(), column13);
    EXPECT_LT(areas[2].left(), column13 + 20 * ratio());
    // The "手目" label stays in place.
    EXPECT_EQ(areas[0].right(), areas[2].right());
}

// Long move numbers keep clear of "手目": the number's ink ends no further right than that of a
// three-digit number. A shorter number drawn over a longer one (after a take-back) leaves nothing
// of it behind.
TEST_F(GameSurfaceTest, LongMoveNumbersEndWhereThreeDigitsEnd) {
    const auto clearPanel = [&] {
        for (int x = 12; x <= 14; ++x)
            game.描画_絵(game.state().backgroundPicture, x, 3);
    };
    clearPanel();
    game.描画_文字列(13.9, 3.2, 99, shadowColour, 10, 1);
    game.描画_文字列(13.8, 3.1, 99, textColour, 10, 1);
    const QImage suffix = surface().image();
    const auto numberRight = [&](int moveNumber) {
        clearPanel();
        game.描画_手数(moveNumber, textColour);
        return changedArea(suffix, surface().image()).right();
    };
    const int threeDigits = numberRight(999);
    for (const int moveNumber : {1000, 9999, 10000, 99999})
        EXPECT_LE(numberRight(moveNumber), threeDigits) << moveNumber;
    clearPanel();
    game.描画_手数(999, textColour);
    const QImage clean = surface().image();
    game.描画_手数(10000, textColour);
    game.描画_手数(999, textColour);
    EXPECT_EQ(surface().image(), clean);
}

TEST_F(GameSurfaceTest, FullRedrawRestoresTheSameImage) {
    const QImage first = surface().image();
    game.描画_背景(BACKGROUND_UCHU);
    ASSERT_NE(surface().image(), first);
    link.redrawAll();
    EXPECT_EQ(surface().image(), first);
}

// A press on the window reaches the game at the exact cell: inside a magnet's corner the
// prince steps toward it, one logical pixel outside nothing happens.
TEST_F(GameSurfaceTest, PressOnAMagnetMovesThePrince) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    BoxCloser closer;
    game.onStart();
    ASSERT_EQ(closer.seen.size(), 1u);

    const Magnet& down = magnetOf(Direction::Down);
    const geometry::UnitPoint corner = geometry::cellCorner(down.cellX, down.cellY);
    const QPoint inside(static_cast<int>(std::ceil(geometry::unitsToLogical(corner.x))),
                        static_cast<int>(std::ceil(geometry::unitsToLogical(corner.y))));
    QTest::mouseClick(&surface(), Qt::LeftButton, Qt::NoModifier, inside - QPoint(1, 0));
    QTest::mouseClick(&surface(), Qt::LeftButton, Qt::NoModifier, inside - QPoint(0, 1));
    EXPECT_EQ(game.state().moveNumber, 0);
    EXPECT_EQ(game.state().princeY, FIRST_PRINCE_SQUARE.y);

    QTest::mouseClick(&surface(), Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(game.state().moveNumber, 1);
    EXPECT_EQ(game.state().princeY, FIRST_PRINCE_SQUARE.y + 1);
    EXPECT_EQ(game.state().board(FIRST_PRINCE_SQUARE.x, FIRST_PRINCE_SQUARE.y + 1), PRINCE);
}

TEST_F(GameSurfaceTest, BackgroundMenuRepaintsAroundTheBoardAndMovesTheMark) {
    BoxCloser closer;
    window.markAction(MenuItem::TAKE)->trigger();
    EXPECT_TRUE(window.markAction(MenuItem::TAKE)->isChecked());
    EXPECT_FALSE(window.markAction(MenuItem::TATAMI)->isChecked());
    const QImage* bamboo = surface().pictures().find(BACKGROUND_TAKE);
    ASSERT_NE(bamboo, nullptr);
    const QRect cell = cellRect(-2, 3, ratio());
    EXPECT_EQ(pixelsDifferingFromPicture(surface().image(), *bamboo, cell.topLeft(), cell), 0);
}

}
}
