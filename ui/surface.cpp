#include "ui/surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include "game/game.h"
#include "ui/fonts.h"
#include "ui/geometry.h"
#include "ui/palette.h"

namespace quorvel {

namespace {

QSize deviceSize(QSize logical, qreal ratio) {
    return {qCeil(logical.width() * ratio), qCeil(logical.height() * ratio)};
}

}

Surface::Surface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    const qreal ratio = devicePixelRatioF();
    pictures_ = std::make_unique<PictureSet>(ratio, bakedPictures());
    image_ = QImage(deviceSize(size(), ratio), QImage::Format_RGB32);
    image_.fill(paletteColour(windowBackgroundColour));
    image_.setDevicePixelRatio(ratio);
}

Surface::~Surface() = default;

template <class Paint>
void Surface::paintDevicePixels(Paint&& paint) {
    // With the ratio set to 1 the painter works in the image's own pixels, so positions computed
    // by geometry::unitsToDevice land exactly where they were computed to land.
    const qreal ratio = image_.devicePixelRatio();
    image_.setDevicePixelRatio(1.0);
    {
        QPainter painter(&image_);
        paint(painter, ratio);
    }
    image_.setDevicePixelRatio(ratio);
}

const QImage& Surface::image() {
    syncImage();
    return image_;
}

const PictureSet& Surface::pictures() {
    syncImage();
    return *pictures_;
}

qreal Surface::ratio() {
    syncImage();
    return image_.devicePixelRatio();
}

void Surface::drawPicture(int code, double cellX, double cellY) {
    syncImage();
    const QImage* picture = pictures_->find(code);
    if (picture == nullptr || picture->isNull()) return;
    const geometry::UnitPoint corner = geometry::cellCorner(cellX, cellY);
    const qreal ratio = image_.devicePixelRatio();
    const QRect target(
        QPoint(geometry::unitsToDevice(corner.x, ratio), geometry::unitsToDevice(corner.y, ratio)),
        picture->size());
    // The background is tiled far beyond the window's edges: about half of a full redraw's
    // tiles miss the image entirely, and skipping their painters saves a fifth of the redraw.
    if (!target.intersects(image_.rect())) return;
    paintDevicePixels([&](QPainter& painter, qreal) {
        // Pictures replace what lies under them, pixel for pixel.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(target, *picture, picture->rect());
    });
    markDevicePixels(target);
}

void Surface::drawOutline(int colourIndex, double cellX, double cellY) {
    syncImage();
    const geometry::UnitPoint corner = geometry::cellCorner(cellX, cellY);
    QRect covered;
    paintDevicePixels([&](QPainter& painter, qreal ratio) {
        const int left = geometry::unitsToDevice(corner.x, ratio);
        const int top = geometry::unitsToDevice(corner.y, ratio);
        const int right = geometry::unitsToDevice(corner.x + geometry::cellWidth, ratio);
        const int bottom = geometry::unitsToDevice(corner.y + geometry::cellHeight, ratio);
        const int line = geometry::lineWidthDevice(ratio);
        const QColor colour = paletteColour(colourIndex);
        // Four filled bars instead of a pen: no antialiasing and no half-pixel pen offsets, so
        // the right edge covers exactly the pixels the next cell's left edge covers.
        painter.fillRect(left, top, right - left + line, line, colour);
        painter.fillRect(left, bottom, right - left + line, line, colour);
        painter.fillRect(left, top, line, bottom - top + line, colour);
        painter.fillRect(right, top, line, bottom - top + line, colour);
        covered = QRect(QPoint(left, top), QPoint(right + line - 1, bottom + line - 1));
    });
    markDevicePixels(covered);
}

void Surface::drawText(const QString& text, double unitsX, double unitsY, int colourIndex,
                       int pointSize) {
    if (text.isEmpty()) return;
    syncImage();
    const QFont font = boardFont(pointSize);
    QPainter painter(&image_);  // logical coordinates; glyphs render at the image's ratio
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(paletteColour(colourIndex));
    const TextMeasure& measure = measureText(text, font, pointSize);
    const QPointF baseline(geometry::unitsToLogical(unitsX),
                           geometry::unitsToLogical(unitsY) + measure.ascent);
    painter.drawText(baseline, text);
    pending_ |= measure.ink.translated(baseline).adjusted(-2, -2, 2, 2).toAlignedRect();
}

const Surface::TextMeasure& Surface::measureText(const QString& text, const QFont& font,
                                                 int pointSize) {
    const qreal ratio = image_.devicePixelRatio();
    if (lastMeasure_.pointSize == pointSize && lastMeasure_.ratio == ratio &&
        lastMeasure_.text == text) {
        return lastMeasure_;
    }
    const QFontMetricsF metrics(font, &image_);
    // The ink may reach past the advance (bold strokes, italics of substitutes) and
    // antialiasing touches one more pixel: drawText adds a margin of two logical pixels.
    const QRectF ink =
        metrics.boundingRect(text) |
        QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(text), metrics.height());
    lastMeasure_ = TextMeasure{text, pointSize, ratio, metrics.ascent(), ink};
    return lastMeasure_;
}

void Surface::refresh() {
    // Only what was drawn since the last refresh goes to the screen; the rest is there already.
    const QRect changed = pending_ & QRect(QPoint(0, 0), pictureSize());
    pending_ = QRect();
    if (changed.isEmpty()) return;
    if (shownScale_ == 1) {
        repaint(changed);
        return;
    }
    const auto shown = [this](int logical) {
        return geometry::unitsToShown(geometry::logicalToUnits(logical), shownScale_);
    };
    // Smooth scaling reaches one pixel beyond the area's edges.
    repaint(QRectF(QPointF(shown(changed.left()), shown(changed.top())),
                   QPointF(shown(changed.right() + 1), shown(changed.bottom() + 1)))
                .toAlignedRect()
                .adjusted(-1, -1, 1, 1));
}

void Surface::setShownScale(double scale, QSize pictureSize) {
    shownScale_ = scale;
    scaledPictureSize_ = pictureSize;
    syncImage();
    update();
}

QSize Surface::pictureSize() const {
    return shownScale_ == 1 ? size() : scaledPictureSize_;
}

void Surface::markDevicePixels(const QRect& devicePixels) {
    const qreal ratio = image_.devicePixelRatio();
    const QRectF logical(devicePixels.x() / ratio, devicePixels.y() / ratio,
                         devicePixels.width() / ratio, devicePixels.height() / ratio);
    pending_ |= logical.toAlignedRect();
}

void Surface::syncImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = deviceSize(pictureSize(), ratio);
    const bool newRatio = !qFuzzyCompare(ratio, image_.devicePixelRatio());
    if (!newRatio && wanted == image_.size()) return;

    QImage next(wanted, QImage::Format_RGB32);
    next.fill(paletteColour(windowBackgroundColour));
    {
        // Keep what was drawn (scaled, when the ratio changed) until it is drawn again.
        QPainter painter(&next);
        const qreal oldRatio = image_.devicePixelRatio();
        QImage old = image_;
        old.setDevicePixelRatio(1.0);
        if (newRatio) painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(
            QRectF(0, 0, old.width() * ratio / oldRatio, old.height() * ratio / oldRatio), old,
            old.rect());
    }
    next.setDevicePixelRatio(ratio);
    image_ = std::move(next);
    pending_ = QRect(QPoint(0, 0), pictureSize());
    if (newRatio) {
        pictures_ = std::make_unique<PictureSet>(ratio, bakedPictures());
        // Never redraw from inside a paint or a drawing call: let the event loop ask for it.
        QMetaObject::invokeMethod(this, &Surface::ratioChanged, Qt::QueuedConnection);
    }
}

bool Surface::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) {
        syncImage();
    }
    return QWidget::event(event);
}

void Surface::paintEvent(QPaintEvent* event) {
    syncImage();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect dirty = event->rect();
    // Device pixels of the image per shown logical pixel.
    const qreal step = image_.devicePixelRatio() / shownScale_;
    if (shownScale_ != 1) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF source(dirty.x() * step, dirty.y() * step, dirty.width() * step,
                        dirty.height() * step);
    painter.drawImage(QRectF(dirty), image_, source);
}

void Surface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncImage();
}

void Surface::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    syncImage();
}

void Surface::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const geometry::UnitPoint units = geometry::shownToUnits(at.x(), at.y(), shownScale_);
    emit pressed(units.x, units.y);
    event->accept();
}

}
