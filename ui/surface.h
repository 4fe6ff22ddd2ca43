#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "ui/art/pictures.h"

namespace quorvel {

// The drawing surface: a retained image of the client area at the screen's device pixel ratio.
// Every drawing call paints into the image; paintEvent only shows it. Mouse presses come out as
// drawing units.
class Surface : public QWidget {
    Q_OBJECT

  public:
    explicit Surface(QWidget* parent = nullptr);
    ~Surface() override;

    // The picture of a code with its top-left corner on a cell's corner, at natural size; a code
    // without a picture draws nothing.
    void drawPicture(int code, double cellX, double cellY);
    // A cell's rectangle, unfilled, one logical pixel wide. Its right and bottom edges fall on
    // the pixels of the next cells' left and top edges, so neighbouring squares share lines.
    void drawOutline(int colourIndex, double cellX, double cellY);
    // Text glyphs only, the text's top-left corner at the position.
    void drawText(const QString& text, double unitsX, double unitsY, int colourIndex,
                  int pointSize);
    // Shows what was drawn since the last refresh on screen now (a synchronous repaint of just
    // that area, also from inside an event handler). With nothing drawn it does nothing.
    void refresh();

    // The retained image, first matched to the widget's current size and ratio (a hidden widget
    // gets no resize events, yet the game draws before the window is first shown).
    const QImage& image();
    const PictureSet& pictures();
    qreal ratio();

    // Shows the picture shrunk by `scale` (below 1 where the screen is too small for the window):
    // the retained image keeps `pictureSize` logical pixels, the game's own size, and the widget
    // shows it scaled; presses map back through the same scale. At 1 the picture is the widget's
    // size, whatever that is.
    void setShownScale(double scale, QSize pictureSize);
    double shownScale() const { return shownScale_; }

  signals:
    // A press of any mouse button, in drawing units.
    void pressed(double unitsX, double unitsY);
    // The device pixel ratio changed: the image and the pictures were rebuilt at the new ratio
    // and everything must be drawn again. Delivered from the event loop, never from a paint.
    void ratioChanged();

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // Matches the image to the widget's size and ratio. When the ratio changed, the pictures are
    // rendered again and a full redraw is requested from the event loop.
    void syncImage();
    // Adds a rectangle of the image's pixels to the area the next refresh shows.
    void markDevicePixels(const QRect& devicePixels);
    // Runs a painting step on the image with device pixel coordinates.
    template <class Paint>
    void paintDevicePixels(Paint&& paint);

    // Where the ink of a text falls, from the left end of its baseline: its glyphs' bounds
    // joined with its advance box. A label's shadow and the label itself are the same text at
    // the same size, so the last measure serves the second of them.
    struct TextMeasure {
        QString text;
        int pointSize = 0;
        qreal ratio = 0;
        qreal ascent = 0;
        QRectF ink;
    };
    const TextMeasure& measureText(const QString& text, const QFont& font, int pointSize);

    QImage image_;
    TextMeasure lastMeasure_;
    std::unique_ptr<PictureSet> pictures_;
    // The picture's size in logical pixels: the widget's, unless it is shown scaled.
    QSize pictureSize() const;

    QRect pending_;  // logical pixels of the picture drawn since the last refresh
    double shownScale_ = 1;
    QSize scaledPictureSize_;
};

}
