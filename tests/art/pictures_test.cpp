#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "game/game.h"
#include "rules/pieces.h"
#include "ui/art/pictures.h"
#include "ui/art/ready_pictures.h"

namespace quorvel {
namespace {

const QSize squareSize(33, 41);
const QSize tileSize(34, 41);
const QSize titleSize(139, 39);

struct Expected {
    int code;
    QSize size;
};

// Every picture of the game and its size at ratio 1.
const std::vector<Expected> expectedPictures = {
    {EMPTY, squareSize},
    {LOWER_PAWN, squareSize},
    {LOWER_LANCE, squareSize},
    {LOWER_KNIGHT, squareSize},
    {LOWER_SILVER, squareSize},
    {LOWER_GOLD, squareSize},
    {LOWER_BISHOP, squareSize},
    {LOWER_ROOK, squareSize},
    {LOWER_KING, squareSize},
    {UPPER_PAWN, squareSize},
    {UPPER_LANCE, squareSize},
    {UPPER_KNIGHT, squareSize},
    {UPPER_SILVER, squareSize},
    {UPPER_GOLD, squareSize},
    {UPPER_BISHOP, squareSize},
    {UPPER_ROOK, squareSize},
    {UPPER_KING, squareSize},
    {LOWER_PAWN_PROMOTED, squareSize},
    {LOWER_LANCE_PROMOTED, squareSize},
    {LOWER_KNIGHT_PROMOTED, squareSize},
    {LOWER_SILVER_PROMOTED, squareSize},
    {LOWER_BISHOP_PROMOTED, squareSize},
    {LOWER_ROOK_PROMOTED, squareSize},
    {UPPER_PAWN_PROMOTED, squareSize},
    {UPPER_LANCE_PROMOTED, squareSize},
    {UPPER_KNIGHT_PROMOTED, squareSize},
    {UPPER_SILVER_PROMOTED, squareSize},
    {UPPER_BISHOP_PROMOTED, squareSize},
    {UPPER_ROOK_PROMOTED, squareSize},
    {PRINCE, squareSize},
    {MAGNET_UP, squareSize},
    {MAGNET_DOWN, squareSize},
    {MAGNET_RIGHT, squareSize},
    {MAGNET_LEFT, squareSize},
    {PICTURE_LOGO, titleSize},
    {BACKGROUND_MIDORI, tileSize},
    {BACKGROUND_TATAMI, tileSize},
    {BACKGROUND_TAKE, tileSize},
    {BACKGROUND_UCHU, tileSize},
    {BACKGROUND_RENGA, tileSize},
};

const int lowerPieces[] = {LOWER_PAWN, LOWER_LANCE,  LOWER_KNIGHT, LOWER_SILVER,
                           LOWER_GOLD, LOWER_BISHOP, LOWER_ROOK,   LOWER_KING};
const int lowerPromoted[] = {LOWER_PAWN_PROMOTED,   LOWER_LANCE_PROMOTED,  LOWER_KNIGHT_PROMOTED,
                             LOWER_SILVER_PROMOTED, LOWER_BISHOP_PROMOTED, LOWER_ROOK_PROMOTED};
const int backgrounds[] = {BACKGROUND_MIDORI, BACKGROUND_TATAMI, BACKGROUND_TAKE, BACKGROUND_UCHU,
                           BACKGROUND_RENGA};
const qreal ratios[] = {1.0, 1.5, 2.0};

// Around the kanji of a lower piece at ratio 1; the same place on an upper piece turned back.
const QRect kanjiRegion(8, 13, 17, 22);

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Mean over a region of the largest channel difference per pixel.
double meanDifference(const QImage& a, const QImage& b, const QRect& region) {
    double sum = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            sum += channelDistance(a.pixel(x, y), b.pixel(x, y));
        }
    }
    return sum / (region.width() * region.height());
}

double rowDifference(const QImage& image, int rowA, int rowB) {
    double sum = 0;
    for (int x = 0; x < image.width(); ++x) {
        sum += channelDistance(image.pixel(x, rowA), image.pixel(x, rowB));
    }
    return sum / image.width();
}

// Kanji ink, black or red, against the pale wood of a piece.
bool isInk(QRgb c) {
    return qGray(c) < 130;
}
bool isRedInk(QRgb c) {
    return qRed(c) > 130 && qGreen(c) < 80 && qBlue(c) < 80;
}

int countPixels(const QImage& image, const QRect& region, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            count += test(image.pixel(x, y));
    }
    return count;
}

TEST(PictureSizes, MatchTheLayoutAtEveryRatio) {
    for (const Expected& picture : expectedPictures) {
        SCOPED_TRACE(picture.code);
        EXPECT_EQ(pictureSize(picture.code), picture.size);
        for (qreal ratio : ratios) {
            SCOPED_TRACE(ratio);
            const QImage image = renderPicture(picture.code, ratio);
            const QSize pixels(int(std::lround(picture.size.width() * ratio)),
                               int(std::lround(picture.size.height() * ratio)));
            EXPECT_EQ(image.size(), pixels);
            EXPECT_EQ(image.devicePixelRatio(), ratio);
        }
    }
}

TEST(PictureCodes, ListEveryPictureOnceWithAFileName) {
    std::set<int> expected;
    for (const Expected& picture : expectedPictures)
        expected.insert(picture.code);
    const std::vector<int>& codes = pictureCodes();
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()), expected);
    EXPECT_EQ(codes.size(), expected.size());

    std::set<QString> names;
    for (int code : codes) {
        const QString name = pictureName(code);
        EXPECT_FALSE(name.isEmpty()) << code;
        for (QChar c : name) {
            EXPECT_TRUE((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-')
                << name.toStdString();
        }
        names.insert(name);
    }
    EXPECT_EQ(names.size(), codes.size());
}

TEST(Pictures, CoverEveryPixelOpaquely) {
    for (const Expected& picture : expectedPictures) {
        for (qreal ratio : ratios) {
            const QImage image =
                renderPicture(picture.code, ratio).convertToFormat(QImage::Format_ARGB32);
            int holes = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    holes += qAlpha(image.pixel(x, y)) != 255;
            }
            EXPECT_EQ(holes, 0) << "code " << picture.code << " ratio " << ratio;
        }
    }
}

TEST(Pictures, UnknownCodesHaveNone) {
    const PictureSet set(1);
    for (int code : {7, 999, -1, 9, 12, -12, 111, -111, 200, 206, -205, -201, 951, 1000}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(pictureSize(code).isValid());
        EXPECT_TRUE(renderPicture(code, 1).isNull());
        EXPECT_TRUE(renderPicture(code, 2).isNull());
        EXPECT_TRUE(pictureName(code).isEmpty());
        EXPECT_EQ(set.find(code), nullptr);
    }
}

TEST(Pictures, HighRatiosAreDrawnAfreshNotEnlarged) {
    for (const Expected& picture : expectedPictures) {
        SCOPED_TRACE(picture.code);
        const QImage small = renderPicture(picture.code, 1);
        const QImage big = renderPicture(picture.code, 2);
        // Same design: the large picture brought down to size matches the small one.
        const QImage reduced =
            big.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(reduced, small, small.rect()), 14.0);
        // Finer detail: many 2 x 2 blocks of the large picture are not a single colour.
        int mixedBlocks = 0;
        for (int y = 0; y + 1 < big.height(); y += 2) {
            for (int x = 0; x + 1 < big.width(); x += 2) {
                const QRgb c = big.pixel(x, y);
                mixedBlocks += big.pixel(x + 1, y) != c || big.pixel(x, y + 1) != c ||
                               big.pixel(x + 1, y + 1) != c;
            }
        }
        EXPECT_GT(mixedBlocks, small.width() * small.height() / 4);
    }
}

// Share of the ink pixels of either picture that are ink in only one of them.
double inkMismatch(const QImage& a, const QImage& b, const QRect& region) {
    int either = 0;
    int one = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const bool inkA = isInk(a.pixel(x, y));
            const bool inkB = isInk(b.pixel(x, y));
            either += inkA || inkB;
            one += inkA != inkB;
        }
    }
    return either == 0 ? 1.0 : double(one) / either;
}

TEST(Pieces, UpperSideIsTheLowerSideTurnedHalfRound) {
    std::vector<int> lowers(std::begin(lowerPieces), std::end(lowerPieces));
    lowers.insert(lowers.end(), std::begin(lowerPromoted), std::end(lowerPromoted));
    for (qreal ratio : {1.0, 2.0}) {
        const QRect region(kanjiRegion.topLeft() * ratio, kanjiRegion.size() * ratio);
        for (int lower : lowers) {
            SCOPED_TRACE(lower);
            const QImage down = renderPicture(lower, ratio);
            const QImage up = renderPicture(-lower, ratio);
            const double asIs = inkMismatch(up, down, region);
            const double turned = inkMismatch(up.mirrored(true, true), down, region);
            EXPECT_GT(asIs, 0.5);
            EXPECT_LT(turned, 0.2);
        }
    }
}

TEST(Pieces, EachShowsItsOwnKanji) {
    std::vector<int> lowers(std::begin(lowerPieces), std::end(lowerPieces));
    lowers.insert(lowers.end(), std::begin(lowerPromoted), std::end(lowerPromoted));
    std::vector<QImage> images;
    for (int code : lowers)
        images.push_back(renderPicture(code, 1));
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            EXPECT_GT(meanDifference(images[i], images[j], kanjiRegion), 12.0)
                << lowers[i] << " and " << lowers[j] << " look alike";
        }
    }
}

TEST(Pieces, PromotedKanjiAreRedTheOthersBlack) {
    for (int code : lowerPieces) {
        const QImage image = renderPicture(code, 1);
        EXPECT_GT(countPixels(image, kanjiRegion, isInk), 25) << code;
        EXPECT_EQ(countPixels(image, kanjiRegion, isRedInk), 0) << code;
    }
    for (int code : lowerPromoted) {
        const QImage image = renderPicture(code, 1);
        EXPECT_GT(countPixels(image, kanjiRegion, isRedInk), 15) << code;
    }
}

TEST(Pieces, StayClearOfTheSquareOutline) {
    // The game outlines every square along its edge; pieces and the prince leave a margin of
    // board wood, so the outermost two pixels match the empty square.
    std::vector<int> codes{PRINCE};
    for (int code : lowerPieces)
        codes.insert(codes.end(), {code, -code});
    for (int code : lowerPromoted)
        codes.insert(codes.end(), {code, -code});
    for (qreal ratio : {1.0, 2.0}) {
        const QImage empty = renderPicture(EMPTY, ratio);
        const int margin = int(2 * ratio);
        for (int code : codes) {
            const QImage image = renderPicture(code, ratio);
            int touched = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const bool edge = x < margin || y < margin || x >= image.width() - margin ||
                                      y >= image.height() - margin;
                    touched += edge && image.pixel(x, y) != empty.pixel(x, y);
                }
            }
            EXPECT_EQ(touched, 0) << "code " << code << " ratio " << ratio;
            EXPECT_GT(meanDifference(image, empty, QRect(8, 12, 17, 17)), 20.0) << code;
        }
    }
}

TEST(Magnets, PolesPointAtTheBoard) {
    // The magnet's red body lies away from the board and its silver poles towards it.
    struct Case {
        int code;
        QPointF towardsBoard;
    };
    const Case cases[] = {{MAGNET_UP, {0, 1}},
                          {MAGNET_DOWN, {0, -1}},
                          {MAGNET_RIGHT, {-1, 0}},
                          {MAGNET_LEFT, {1, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const QImage image = renderPicture(c.code, 2);
        QPointF red, silver;
        int reds = 0, silvers = 0;
        for (int y = 8; y < image.height() - 8; ++y) {
            for (int x = 8; x < image.width() - 8; ++x) {
                const QRgb p = image.pixel(x, y);
                const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
                const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
                if (qRed(p) > 150 && qRed(p) > 2 * qGreen(p) && qRed(p) > 2 * qBlue(p)) {
                    red += QPointF(x, y);
                    ++reds;
                } else if (lo > 150 && hi - lo < 30) {
                    silver += QPointF(x, y);
                    ++silvers;
                }
            }
        }
        ASSERT_GT(reds, 100);
        ASSERT_GT(silvers, 20);
        const QPointF pull = silver / silvers - red / reds;
        const qreal along = QPointF::dotProduct(pull, c.towardsBoard);
        const qreal across = QPointF::dotProduct(pull, {c.towardsBoard.y(), c.towardsBoard.x()});
        EXPECT_GT(along, 8.0);
        EXPECT_LT(std::abs(across), 2.0);
    }
}

TEST(Backgrounds, RepeatEvery33PixelsAcross) {
    for (int code : backgrounds) {
        for (int ratio : {1, 2}) {
            const QImage tile = renderPicture(code, ratio);
            const int period = 33 * ratio;
            int mismatches = 0;
            for (int x = period; x < tile.width(); ++x) {
                for (int y = 0; y < tile.height(); ++y) {
                    mismatches += tile.pixel(x, y) != tile.pixel(x - period, y);
                }
            }
            EXPECT_EQ(mismatches, 0) << "code " << code << " ratio " << ratio;
        }
    }
}

// Mean colour of a band of rows.
std::array<double, 3> bandColour(const QImage& image, int top, int rows) {
    std::array<double, 3> sum{};
    for (int y = top; y < top + rows; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
        }
    }
    for (double& channel : sum)
        channel /= rows * image.width();
    return sum;
}

double colourDistance(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

TEST(Backgrounds, ShowNoSeamWhereTilesMeetDownwards) {
    // Going from a tile's bottom to the next tile's top changes the picture no more than the
    // same step anywhere inside the tile: row to row, and band of rows to band of rows (which
    // catches a gradual drift of shade down the tile).
    for (int code : backgrounds) {
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(code);
            SCOPED_TRACE(ratio);
            const QImage tile = renderPicture(code, ratio);
            const int last = tile.height() - 1;
            double rowStep = 0;
            for (int y = 0; y < last; ++y)
                rowStep = std::max(rowStep, rowDifference(tile, y, y + 1));
            EXPECT_LE(rowDifference(tile, last, 0), rowStep + 0.5);

            const int band = 4 * ratio;
            double bandStep = 0;
            for (int y = 0; y + 2 * band <= tile.height(); ++y) {
                bandStep = std::max(bandStep, colourDistance(bandColour(tile, y, band),
                                                             bandColour(tile, y + band, band)));
            }
            EXPECT_LE(colourDistance(bandColour(tile, tile.height() - band, band),
                                     bandColour(tile, 0, band)),
                      bandStep + 0.5);
        }
    }
}

TEST(PictureSet, HoldsEveryPictureAtItsRatio) {
    for (qreal ratio : {1.0, 2.0}) {
        const PictureSet set(ratio);
        EXPECT_EQ(set.devicePixelRatio(), ratio);
        for (const Expected& picture : expectedPictures) {
            const QImage* image = set.find(picture.code);
            ASSERT_NE(image, nullptr) << picture.code;
            EXPECT_EQ(*image, renderPicture(picture.code, ratio)) << picture.code;
        }
        // Rendered once and kept: asking again gives the same image, not a new one.
        for (const Expected& picture : expectedPictures) {
            const QImage* first = set.find(picture.code);
            EXPECT_EQ(set.find(picture.code), first) << picture.code;
            EXPECT_EQ(first->cacheKey(), set.find(picture.code)->cacheKey()) << picture.code;
        }
    }
}

// The pictures baked at build time are the ones the painters draw, every one of them, and a set
// at ratio 1 shows them in place; at any other ratio it paints its own.
TEST(PictureSet, TakesThePicturesBakedAtBuildTimeAtRatioOne) {
    const std::span<const ReadyPicture> baked = bakedPictures();
    ASSERT_EQ(baked.size(), pictureCodes().size());
    for (const ReadyPicture& ready : baked) {
        const QImage fromBuild(reinterpret_cast<const uchar*>(ready.pixels), ready.width,
                               ready.height, QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(fromBuild, renderPicture(ready.code, 1)) << "stale or different: " << ready.code;
    }
    for (const qreal ratio : {1.0, 2.0}) {
        const PictureSet set(ratio, baked);
        for (const ReadyPicture& ready : baked) {
            const QImage* image = set.find(ready.code);
            ASSERT_NE(image, nullptr) << ready.code;
            const bool inPlace = image->constBits() == reinterpret_cast<const uchar*>(ready.pixels);
            EXPECT_EQ(inPlace, ratio == 1) << ready.code << " at " << ratio;
            EXPECT_EQ(*image, renderPicture(ready.code, ratio)) << ready.code << " at " << ratio;
        }
    }
}

}
}
