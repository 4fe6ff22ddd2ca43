// The five background patterns. Tiles are 34 pixels wide but laid every 33 pixels across and
// every 41 down, so each pattern repeats exactly every 33 x 41 logical pixels: the last column
// of a tile, overdrawn by the next tile's first column, holds the same colours as that column.

#include <array>
#include <cmath>
#include <numbers>

#include "ui/art/paint_kit.h"
#include "ui/art/painters.h"

namespace quorvel::art {

namespace {

constexpr float periodX = 33.0f;
constexpr float periodY = 41.0f;

float wrapSigned(float d, float period) {
    return d - period * std::round(d / period);
}

float fraction(float v) {
    return v - std::floor(v);
}

// Green baize: fine fibres over a faint mottle.
Colour greenAt(float x, float y) {
    static const TileNoise fibreAcross(33, 10, periodX, periodY, 21);
    static const TileNoise fibreDown(8, 41, periodX, periodY, 22);
    static const TileNoise speck(33, 41, periodX, periodY, 23);
    static const TileNoise mottle(3, 4, periodX, periodY, 24);
    const Colour base{30, 108, 60};
    const float fibres = 0.5f * fibreAcross.at(x, y) + 0.5f * fibreDown.at(x, y);
    const float shade = 0.84f + 0.08f * mottle.at(x, y) + 0.14f * fibres + 0.14f * speck.at(x, y);
    return base * shade;
}

// Tatami: rows of woven rush, each bundle with its own shade, bound by warp threads.
Colour tatamiAt(float x, float y) {
    static const TileNoise strand(4, 14, periodX, periodY, 31);
    static const TileNoise fleck(33, 41, periodX, periodY, 32);
    static const TileNoise tone(3, 2, periodX, periodY, 33);
    constexpr float rows = 14.0f;
    const float rowPosition = y * rows / periodY;
    const float inRow = fraction(rowPosition);
    const int row = int(std::floor(rowPosition)) % int(rows);
    // Each bundle of rush bulges: bright along its middle, shadowed where it meets the next.
    const float bulge = std::pow(std::sin(float(std::numbers::pi) * inRow), 0.6f);
    // Warp threads pinch the rows slightly; alternate rows are bound half a span apart.
    const float span = periodX / 3.0f;
    const float threadX = (row % 2 == 0) ? 0.0f : span / 2;
    const float toThread = std::abs(wrapSigned(x - threadX, span));
    const float pinch = 1.0f - 0.07f * std::exp(-toThread * toThread / 0.5f);
    const Colour fresh{176, 186, 106};
    const Colour aged{212, 194, 124};
    const Colour c = mix(fresh, aged, 0.3f + 0.45f * tone.at(x, y) + 0.25f * hashUnit(row, 0, 34));
    const float shade = (0.76f + 0.24f * bulge) * pinch * (0.9f + 0.14f * strand.at(x, y)) *
                        (0.96f + 0.06f * fleck.at(x, y));
    return c * shade;
}

// Bamboo fence: three culms side by side, each with a node ring.
Colour bambooAt(float x, float y) {
    static const TileNoise fibre(33, 6, periodX, periodY, 41);
    static const TileNoise tone(3, 3, periodX, periodY, 42);
    struct Culm {
        float left, width, nodeY;
    };
    static constexpr std::array culms{Culm{0, 10, 7}, Culm{10, 12, 29}, Culm{22, 11, 17}};
    const float wx = fraction(x / periodX) * periodX;
    const Culm* culm = &culms[0];
    for (const Culm& c : culms) {
        if (wx >= c.left) culm = &c;
    }
    const float u = (wx - culm->left) / culm->width;  // 0..1 across the culm
    // Round culm lit from the left; dark gaps between culms.
    const float round = std::sin(float(std::numbers::pi) * u);
    const float light = std::exp(-(u - 0.3f) * (u - 0.3f) / 0.02f);
    const Colour green{96, 146, 58};
    const Colour yellow{196, 214, 120};
    Colour c = mix(green, yellow, 0.25f * tone.at(x, y) + 0.1f * u);
    c = c * (0.35f + 0.65f * std::pow(round, 0.45f)) * (0.94f + 0.1f * fibre.at(x, y));
    c = mix(c, yellow * 1.1f, 0.45f * light);
    // Node: a raised ring, lit on top and shadowed beneath.
    const float dy = wrapSigned(y - culm->nodeY, periodY);
    const float ridge = std::exp(-dy * dy / 0.35f);
    const float below = std::exp(-(dy - 1.3f) * (dy - 1.3f) / 0.5f);
    const float above = std::exp(-(dy + 1.1f) * (dy + 1.1f) / 0.5f);
    c = mix(c, Colour{226, 232, 158} * (0.45f + 0.55f * round), 0.8f * ridge);
    c = c * (1.0f - 0.35f * below - 0.12f * above);
    return c;
}

// Deep space: a faint nebula and stars of several sizes and colours.
Colour spaceAt(float x, float y) {
    static const TileNoise cloudA(2, 3, periodX, periodY, 51);
    static const TileNoise cloudB(4, 5, periodX, periodY, 52);
    static const TileNoise cloudC(2, 2, periodX, periodY, 53);
    struct Star {
        float x, y, brightness, spread;
        Colour colour;
    };
    static const std::array stars = [] {
        std::array<Star, 22> all{};
        for (std::size_t i = 0; i < all.size(); ++i) {
            const auto n = std::uint32_t(i);
            Star& s = all[i];
            s.x = std::floor(hashUnit(n, 1, 55) * periodX) + 0.5f;
            s.y = std::floor(hashUnit(n, 2, 55) * periodY) + 0.5f;
            const float size = hashUnit(n, 3, 55);
            // No star stands out: a single bright one would mark every tile and show the grid.
            s.brightness = 0.3f + 0.45f * size * size;
            s.spread = 0.42f;
            const float warmth = hashUnit(n, 4, 55);
            s.colour = warmth < 0.3f   ? Colour{255, 220, 180}
                       : warmth < 0.7f ? Colour{240, 244, 255}
                                       : Colour{180, 205, 255};
        }
        return all;
    }();
    const float nebula = cloudA.at(x, y) * 0.6f + cloudB.at(x, y) * 0.4f;
    Colour c{4, 6, 20};
    c = c + Colour{34, 16, 60} * (nebula * nebula);
    c = c + Colour{8, 26, 56} * (cloudC.at(x, y) * cloudC.at(x, y));
    for (const Star& s : stars) {
        const float dx = wrapSigned(x - s.x, periodX);
        const float dy = wrapSigned(y - s.y, periodY);
        if (std::abs(dx) > 4.0f || std::abs(dy) > 4.0f) continue;
        const float glow = std::exp(-(dx * dx + dy * dy) / (2 * s.spread * s.spread));
        c = c + s.colour * (s.brightness * glow);
    }
    return c;
}

// Brick wall in running bond, four courses per tile.
Colour brickAt(float x, float y) {
    static const TileNoise grit(33, 41, periodX, periodY, 61);
    static const TileNoise clay(6, 8, periodX, periodY, 62);
    static const TileNoise wash(2, 3, periodX, periodY, 63);
    static constexpr std::array courseTops{0.0f, 10.0f, 20.0f, 31.0f, 41.0f};
    constexpr float mortar = 1.8f;
    const float wy = fraction(y / periodY) * periodY;
    int course = 0;
    while (wy >= courseTops[std::size_t(course) + 1])
        ++course;
    const float top = courseTops[std::size_t(course)];
    const float height = courseTops[std::size_t(course) + 1] - top;
    const float offset = course % 2 == 0 ? 0.0f : periodX / 2;
    const float bx = fraction((x - offset) / periodX) * periodX;  // across the brick
    const float by = wy - top;                                    // down the course
    const float g = grit.at(x, y);
    if (bx < mortar || by < mortar) {
        // Mortar, shadowed just under the brick above.
        const float shadow = by < mortar ? 0.75f + 0.25f * (by / mortar) : 1.0f;
        return Colour{178, 170, 156} * ((0.85f + 0.2f * g) * shadow);
    }
    const std::uint32_t brick = std::uint32_t(course);
    const float hue = hashUnit(brick, 0, 64);
    Colour c = mix(Colour{150, 58, 40}, Colour{176, 88, 56}, hue);
    c = mix(c, Colour{96, 42, 32}, 0.35f * hashUnit(brick, 1, 64) * wash.at(x, y));
    c = c * (0.86f + 0.14f * clay.at(x, y)) * (0.9f + 0.16f * g);
    // Bevelled edges: lit along the top and left, shadowed along the bottom and right.
    const float fx = bx - mortar;
    const float fy = by - mortar;
    const float faceWidth = periodX - mortar;
    const float faceHeight = height - mortar;
    if (fy < 1.0f || fx < 1.0f) c = c * 1.14f;
    if (fy > faceHeight - 1.0f || fx > faceWidth - 1.0f) c = c * 0.78f;
    return c;
}

}

void paintBackground(QImage& canvas, int code) {
    switch (code) {
        case BACKGROUND_GREEN:
            fillPixels(canvas, greenAt);
            break;
        case BACKGROUND_TATAMI:
            fillPixels(canvas, tatamiAt);
            break;
        case BACKGROUND_BAMBOO:
            fillPixels(canvas, bambooAt);
            break;
        case BACKGROUND_SPACE:
            fillPixels(canvas, spaceAt);
            break;
        case BACKGROUND_BRICK:
            fillPixels(canvas, brickAt);
            break;
        default:
            break;
    }
}

}
