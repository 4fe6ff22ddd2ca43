#include "ui/art/paint_kit.h"

#include <QRectF>
#include <algorithm>
#include <cmath>

namespace quorvel::art {

QImage makeCanvas(QSize logicalSize, qreal devicePixelRatio) {
    const QSize pixels(qRound(logicalSize.width() * devicePixelRatio),
                       qRound(logicalSize.height() * devicePixelRatio));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

QRgb Colour::rgb() const {
    auto channel = [](float v) { return std::clamp(int(std::lround(v)), 0, 255); };
    return qRgb(channel(r), channel(g), channel(b));
}

QColor Colour::qcolor(int alpha) const {
    const QRgb c = rgb();
    return QColor(qRed(c), qGreen(c), qBlue(c), alpha);
}

Colour mix(Colour a, Colour b, float t) {
    return a + (b - a) * t;
}

float hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return float(h >> 8) * (1.0f / 16777216.0f);
}

float smoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

TileNoise::TileNoise(int cellsX, int cellsY, float tileWidth, float tileHeight, std::uint32_t seed)
    : cellsX_(cellsX),
      cellsY_(cellsY),
      scaleX_(float(cellsX) / tileWidth),
      scaleY_(float(cellsY) / tileHeight),
      values_(std::size_t(cellsX * cellsY)) {
    for (int j = 0; j < cellsY; ++j) {
        for (int i = 0; i < cellsX; ++i) {
            values_[std::size_t(j * cellsX + i)] =
                hashUnit(std::uint32_t(i), std::uint32_t(j), seed);
        }
    }
}

float TileNoise::at(float x, float y) const {
    const float u = x * scaleX_ - 0.5f;
    const float v = y * scaleY_ - 0.5f;
    const float fu = std::floor(u);
    const float fv = std::floor(v);
    const float tu = u - fu;
    const float tv = v - fv;
    auto wrap = [](int i, int n) { return ((i % n) + n) % n; };
    const int i0 = wrap(int(fu), cellsX_);
    const int j0 = wrap(int(fv), cellsY_);
    const int i1 = (i0 + 1) % cellsX_;
    const int j1 = (j0 + 1) % cellsY_;
    const float su = tu * tu * (3.0f - 2.0f * tu);
    const float sv = tv * tv * (3.0f - 2.0f * tv);
    const float top = value(i0, j0) + (value(i1, j0) - value(i0, j0)) * su;
    const float bottom = value(i0, j1) + (value(i1, j1) - value(i0, j1)) * su;
    return top + (bottom - top) * sv;
}

QRectF logicalRect(const QImage& image) {
    const qreal ratio = image.devicePixelRatio();
    return QRectF(0, 0, image.width() / ratio, image.height() / ratio);
}

}
