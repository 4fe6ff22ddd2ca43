// Renders the application icon, the lower side's king piece on a tile of board wood, as
// <outdir>/<size>/quorvel.png for each size given.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtGlobal>
#include <cstdio>

#include "rules/pieces.h"
#include "ui/art/pictures.h"

namespace {

QImage renderIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // A rounded tile of board wood with the lower side's king standing on it, both rendered at
    // the resolution they are shown at.
    const QRectF tile(0, 0, size, size);
    const qreal corner = size / 6.0;
    QPainterPath rounded;
    rounded.addRoundedRect(tile, corner, corner);
    p.setClipPath(rounded);

    const QSize square = quorvel::pictureSize(quorvel::EMPTY);
    const qreal woodRatio = qreal(size) / qMin(square.width(), square.height());
    p.drawImage(tile, quorvel::renderPicture(quorvel::EMPTY, woodRatio));

    const QSize natural = quorvel::pictureSize(quorvel::LOWER_KING);
    const qreal ratio = qreal(size) / natural.height();
    const QSizeF shown(natural.width() * ratio, size);
    p.drawImage(QRectF((size - shown.width()) / 2, 0, shown.width(), shown.height()),
                quorvel::renderPicture(quorvel::LOWER_KING, ratio));

    p.setClipping(false);
    p.setPen(QPen(QColor(90, 60, 20), qMax(1.0, size / 64.0)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), corner, corner);
    return icon;
}

}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (size <= 0) return 2;
        const QString dir = out + "/" + QString::number(size);
        if (!QDir().mkpath(dir) || !renderIcon(size).save(dir + "/quorvel.png")) {
            std::fprintf(stderr, "cannot write the icon of size %d\n", size);
            return 1;
        }
    }
    return 0;
}
