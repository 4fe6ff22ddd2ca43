// The four magnets beside the board: a red horseshoe magnet with silver poles on a slate plate,
// its poles turned towards the board.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>

#include "rules/pieces.h"
#include "ui/art/paint_kit.h"
#include "ui/art/painters.h"

namespace quorvel::art {

namespace {

constexpr QPointF cellCentre(33.0 / 2, 41.0 / 2);

// Turn of the magnet, which is laid out with its poles pointing down: towards the board from a
// magnet above it.
qreal turnDegrees(int code) {
    switch (code) {
        case MAGNET_DOWN:
            return 180;  // below the board, poles up
        case MAGNET_RIGHT:
            return 90;  // right of the board, poles left
        case MAGNET_LEFT:
            return -90;  // left of the board, poles right
        default:
            return 0;  // above the board, poles down
    }
}

void paintPlate(QPainter& painter, const QRectF& area) {
    QLinearGradient slate(area.topLeft(), area.bottomRight());
    slate.setColorAt(0.0, QColor(84, 94, 108));
    slate.setColorAt(1.0, QColor(38, 43, 52));
    painter.fillRect(area, slate);

    const QRectF plate(1.0, 1.0, 31.0, 39.0);
    // Recessed face with a soft glow where the magnet sits.
    QRadialGradient glow(cellCentre, 19.0);
    glow.setColorAt(0.0, QColor(78, 92, 112));
    glow.setColorAt(1.0, QColor(44, 50, 61));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawRoundedRect(plate.adjusted(1.0, 1.0, -1.0, -1.0), 2.5, 2.5);

    // Bevelled rim: light on the upper left, dark on the lower right.
    QLinearGradient rim(plate.topLeft(), plate.bottomRight());
    rim.setColorAt(0.0, QColor(170, 182, 198));
    rim.setColorAt(0.45, QColor(110, 120, 135));
    rim.setColorAt(1.0, QColor(22, 25, 31));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(rim), 1.0));
    painter.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), 3.0, 3.0);
    painter.setPen(QPen(QColor(14, 16, 20, 200), 1.0));
    painter.drawRoundedRect(plate.adjusted(1.5, 1.5, -1.5, -1.5), 2.2, 2.2);
}

// A tube along a centre line: filled body, a shadowed side, a highlight and a dark rim. The
// light comes from the upper left of the picture whatever way the magnet is turned.
void paintTube(QPainter& painter, const QPainterPath& centreLine, qreal width, const QColor& body,
               const QColor& shade, const QColor& light) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = stroker.createStroke(centreLine).simplified();

    painter.fillPath(shape, body);
    painter.save();
    painter.setClipPath(shape);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(shade, width * 0.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(centreLine.translated(width * 0.3, width * 0.3));
    painter.setPen(QPen(light, width * 0.28, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(centreLine.translated(-width * 0.2, -width * 0.2));
    painter.setPen(
        QPen(QColor(255, 255, 255, 150), width * 0.1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(centreLine.translated(-width * 0.22, -width * 0.22));
    painter.restore();
    painter.setPen(QPen(QColor(25, 10, 12, 230), 0.8));
    painter.drawPath(shape);
}

}

void paintMagnet(QImage& canvas, int code) {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPlate(painter, logicalRect(canvas));

    // Layout with the poles pointing down, centred on the origin.
    const qreal halfSpan = 6.2;  // from the magnet's middle to each leg's centre line
    const qreal width = 6.4;
    const qreal bendY = -5.6;
    const qreal poleY = 5.0;
    const qreal tipLength = 4.6;
    QTransform place;
    place.translate(cellCentre.x(), cellCentre.y());
    place.rotate(turnDegrees(code));
    place.translate(0, 1.4);  // centres magnet and ripples together

    QPainterPath body;
    body.moveTo(-halfSpan, poleY - tipLength);
    body.lineTo(-halfSpan, bendY);
    body.arcTo(QRectF(-halfSpan, bendY - halfSpan, 2 * halfSpan, 2 * halfSpan), 180, -180);
    body.lineTo(halfSpan, poleY - tipLength);
    QPainterPath tips;
    tips.moveTo(-halfSpan, poleY - tipLength);
    tips.lineTo(-halfSpan, poleY);
    tips.moveTo(halfSpan, poleY - tipLength);
    tips.lineTo(halfSpan, poleY);
    QPainterPath whole = body;
    whole.moveTo(-halfSpan, poleY - tipLength);
    whole.lineTo(-halfSpan, poleY);
    whole.moveTo(halfSpan, poleY - tipLength);
    whole.lineTo(halfSpan, poleY);

    // Ripples of the field spreading from the poles towards the board.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal radius = 3.2 + 2.6 * i;
        const QRectF circle(-radius, poleY - 1.6 - radius, 2 * radius, 2 * radius);
        const qreal sweep = 100 - 14 * i;
        QPainterPath ripple;
        ripple.arcMoveTo(circle, 270 - sweep / 2);
        ripple.arcTo(circle, 270 - sweep / 2, sweep);
        painter.setPen(QPen(QColor(160, 222, 255, 240 - 55 * i), 1.1, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(place.map(ripple));
    }

    // Shadow on the plate.
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    const QPainterPath outline = place.map(stroker.createStroke(whole));
    painter.fillPath(outline.translated(1.2, 1.5), QColor(0, 0, 0, 110));

    paintTube(painter, place.map(body), width, QColor(204, 30, 36), QColor(118, 10, 18, 190),
              QColor(255, 140, 140, 210));
    paintTube(painter, place.map(tips), width, QColor(190, 196, 204), QColor(96, 102, 112, 190),
              QColor(255, 255, 255, 230));
}

}
