#pragma once

// Shared tools of the picture painters: canvases, per-pixel fills, tileable noise and colour
// arithmetic. Everything is measured in logical pixels, so a picture painted at ratio 2 shows the
// same design as at ratio 1 with twice the detail.

#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace quorvel::art {

// A picture-sized image at a device pixel ratio, cleared to transparent. Painters must cover
// every pixel; a forgotten one stays transparent and shows up as a hole.
QImage makeCanvas(QSize logicalSize, qreal devicePixelRatio);

// A colour with float channels in 0..255, for blending before rounding to a pixel.
struct Colour {
    float r = 0, g = 0, b = 0;

    Colour operator+(Colour o) const { return {r + o.r, g + o.g, b + o.b}; }
    Colour operator-(Colour o) const { return {r - o.r, g - o.g, b - o.b}; }
    Colour operator*(float k) const { return {r * k, g * k, b * k}; }
    QRgb rgb() const;
    QColor qcolor(int alpha = 255) const;
};

Colour mix(Colour a, Colour b, float t);

// Deterministic hash of integers to a float in [0, 1).
float hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t seed);

float smoothStep(float edge0, float edge1, float x);

// Value noise in 0..1 that repeats every tileWidth x tileHeight logical pixels, with a lattice of
// cellsX x cellsY random values per tile. Lattice values sit at cell centres, so a lattice of
// one cell per pixel gives crisp per-pixel grain at ratio 1.
class TileNoise {
  public:
    TileNoise(int cellsX, int cellsY, float tileWidth, float tileHeight, std::uint32_t seed);
    float at(float x, float y) const;

  private:
    float value(int i, int j) const { return values_[std::size_t(j * cellsX_ + i)]; }

    int cellsX_;
    int cellsY_;
    float scaleX_;
    float scaleY_;
    std::vector<float> values_;
};

// Sets every device pixel of an image to colourAt(x, y), where (x, y) is the logical position
// of the pixel's centre. colourAt returns a Colour.
template <class ColourAt>
void fillPixels(QImage& image, ColourAt colourAt) {
    const double ratio = image.devicePixelRatio();
    for (int py = 0; py < image.height(); ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        const float y = float((py + 0.5) / ratio);
        for (int px = 0; px < image.width(); ++px) {
            line[px] = colourAt(float((px + 0.5) / ratio), y).rgb();
        }
    }
}

// The logical rectangle an image covers (slightly more than the picture's size when the pixel
// size was rounded up).
QRectF logicalRect(const QImage& image);

}
