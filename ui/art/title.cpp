// The title plate: the game's name in gold on black-red lacquer with a gold frame.

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/art/paint_kit.h"
#include "ui/art/painters.h"

namespace quorvel::art {

namespace {

QLinearGradient goldAcross(qreal top, qreal bottom) {
    QLinearGradient gold(0, top, 0, bottom);
    gold.setColorAt(0.0, QColor(255, 246, 196));
    gold.setColorAt(0.38, QColor(236, 196, 92));
    gold.setColorAt(0.55, QColor(176, 120, 36));
    gold.setColorAt(1.0, QColor(246, 210, 120));
    return gold;
}

}

void paintTitle(QImage& canvas) {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = logicalRect(canvas);
    const QRectF plate(0, 0, 139, 39);

    QLinearGradient lacquer(0, 0, 0, plate.height());
    lacquer.setColorAt(0.0, QColor(92, 22, 18));
    lacquer.setColorAt(0.5, QColor(46, 10, 9));
    lacquer.setColorAt(1.0, QColor(24, 5, 5));
    painter.fillRect(area, lacquer);
    // A soft sheen across the upper half of the lacquer.
    QRadialGradient sheen(QPointF(plate.center().x(), -10), 70);
    sheen.setColorAt(0.0, QColor(255, 200, 170, 60));
    sheen.setColorAt(1.0, QColor(255, 200, 170, 0));
    painter.fillRect(area, sheen);

    // Double gold frame with small diamonds at the inner corners.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(goldAcross(0, plate.height())), 1.3));
    painter.drawRoundedRect(plate.adjusted(1.2, 1.2, -1.2, -1.2), 3.5, 3.5);
    painter.setPen(QPen(QColor(214, 170, 80, 200), 0.6));
    const QRectF inner = plate.adjusted(3.6, 3.6, -3.6, -3.6);
    painter.drawRect(inner);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 204, 110));
    for (const QPointF& corner :
         {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()}) {
        const qreal r = 1.7;
        painter.drawPolygon(QPolygonF{corner + QPointF(0, -r), corner + QPointF(r, 0),
                                      corner + QPointF(0, r), corner + QPointF(-r, 0)});
    }

    // The name, in gold with a dark edge and a shadow.
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(96);
    font.setWeight(QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("Quorvel"));
    const qreal capHeight = 18.5;
    const QRectF raw = name.boundingRect();
    const qreal scale = capHeight / (raw.height() * 0.78);
    name = QTransform::fromScale(scale, scale).map(name);
    const QRectF fitted = name.boundingRect();
    name.translate(plate.center().x() - fitted.center().x(),
                   plate.center().y() - fitted.center().y());
    const QRectF placed = name.boundingRect();

    painter.fillPath(name.translated(1.0, 1.3), QColor(0, 0, 0, 170));
    painter.setPen(QPen(QColor(60, 30, 8), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(name);
    painter.setPen(Qt::NoPen);
    painter.fillPath(name, goldAcross(placed.top(), placed.bottom()));
}

}
