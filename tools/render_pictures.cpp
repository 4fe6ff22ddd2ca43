// Writes every picture of the game as PNG into a folder: <name>.png at ratio 1 and
// <name>@2x.png at ratio 2, a labelled contact sheet, and for each background a 633 x 600 window
// preview with the tiles, a board in the first position and the four magnets. Prints how long a
// whole PictureSet takes to render.
//
//   QT_QPA_PLATFORM=offscreen quorvel_render_pictures <folder>

#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "rules/pieces.h"
#include "ui/art/pictures.h"

namespace {

using namespace quorvel;

bool save(const QImage& image, const QDir& folder, const QString& file) {
    if (image.save(folder.filePath(file))) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(folder.filePath(file)));
    return false;
}

// All pictures at ratio 2 next to their ratio 1 versions, with code and name, on a grey card.
QImage contactSheet() {
    const int sheetWidth = 1100;
    const int gap = 12;
    const int labelHeight = 18;
    struct Placed {
        int code;
        QPoint at;
    };
    // Lay the entries out in rows, left to right.
    std::vector<Placed> placed;
    QPoint next(gap, gap);
    int rowHeight = 0;
    for (int code : pictureCodes()) {
        const QSize size = pictureSize(code);
        const int width = std::max(3 * size.width() + gap, 175);
        if (next.x() + width > sheetWidth) next = QPoint(gap, next.y() + rowHeight + gap);
        placed.push_back({code, next});
        rowHeight = std::max(rowHeight, 2 * size.height() + labelHeight);
        next.rx() += width + gap;
    }
    QImage sheet(sheetWidth, next.y() + rowHeight + gap, QImage::Format_RGB32);
    sheet.fill(QColor(150, 150, 150));
    QPainter painter(&sheet);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(12);
    painter.setFont(label);
    painter.setPen(Qt::black);
    for (const Placed& entry : placed) {
        QImage big = renderPicture(entry.code, 2);
        QImage small = renderPicture(entry.code, 1);
        big.setDevicePixelRatio(1);
        small.setDevicePixelRatio(1);
        painter.drawImage(entry.at, big);
        painter.drawImage(entry.at + QPoint(big.width() + 4, 0), small);
        painter.drawText(entry.at + QPoint(0, big.height() + 14),
                         QStringLiteral("%1  %2").arg(entry.code).arg(pictureName(entry.code)));
    }
    return sheet;
}

// A 633 x 600 window tiled with one background, with the title, the board in the first
// position and the magnets around it, drawn the way the game lays its cells out.
QImage windowPreview(const PictureSet& pictures, int background) {
    QImage window(633, 600, QImage::Format_RGB32);
    QPainter painter(&window);
    const QImage* tile = pictures.find(background);
    for (int y = 0; y < window.height(); y += 41) {
        for (int x = 0; x < window.width(); x += 33)
            painter.drawImage(x, y, *tile);
    }
    painter.drawImage(247, 10, *pictures.find(1));

    const int boardLeft = 33 * 5;
    const int boardTop = 41 * 2;
    const int back[9] = {LOWER_LANCE, LOWER_KNIGHT, LOWER_SILVER, LOWER_GOLD, LOWER_KING,
                         LOWER_GOLD,  LOWER_SILVER, LOWER_KNIGHT, LOWER_LANCE};
    auto pieceAt = [&](int column, int row) {
        if (row == 9) return back[column - 1];
        if (row == 1) return -back[9 - column];
        if (row == 7) return LOWER_PAWN;
        if (row == 3) return UPPER_PAWN;
        if (row == 8 && column == 2) return LOWER_BISHOP;
        if (row == 8 && column == 8) return LOWER_ROOK;
        if (row == 2 && column == 2) return UPPER_ROOK;
        if (row == 2 && column == 8) return UPPER_BISHOP;
        if (row == 5 && column == 5) return PRINCE;
        return EMPTY;
    };
    for (int row = 1; row <= 9; ++row) {
        for (int column = 1; column <= 9; ++column) {
            const QRect square(boardLeft + (column - 1) * 33, boardTop + (row - 1) * 41, 33, 41);
            painter.drawImage(square.topLeft(), *pictures.find(pieceAt(column, row)));
            painter.setPen(QColor(0, 128, 0));
            painter.drawRect(square.adjusted(0, 0, -1, -1));
        }
    }
    painter.drawImage(boardLeft + 4 * 33, boardTop - 41, *pictures.find(MAGNET_UP));
    painter.drawImage(boardLeft + 4 * 33, boardTop + 9 * 41, *pictures.find(MAGNET_DOWN));
    painter.drawImage(boardLeft - 33, boardTop + 4 * 41, *pictures.find(MAGNET_LEFT));
    painter.drawImage(boardLeft + 9 * 33, boardTop + 4 * 41, *pictures.find(MAGNET_RIGHT));
    return window;
}

// Processor time of this thread, which stays meaningful when other programs share the machine.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Timing {
    double wall;
    double processor;
};

// Average time to render every picture of a PictureSet.
Timing timePictureSet(qreal ratio, int repeats) {
    QElapsedTimer timer;
    timer.start();
    const double start = threadMilliseconds();
    for (int i = 0; i < repeats; ++i) {
        // A set renders a picture the first time it is asked for: ask for every one.
        const PictureSet set(ratio);
        for (const int code : pictureCodes())
            set.find(code);
    }
    return {double(timer.nsecsElapsed()) / 1e6 / repeats, (threadMilliseconds() - start) / repeats};
}

}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    const Timing first = timePictureSet(1, 1);
    const Timing warm = timePictureSet(1, 20);
    const Timing warm2 = timePictureSet(2, 5);

    bool ok = true;
    for (int code : pictureCodes()) {
        ok = save(renderPicture(code, 1), folder, pictureName(code) + QStringLiteral(".png")) && ok;
        ok = save(renderPicture(code, 2), folder, pictureName(code) + QStringLiteral("@2x.png")) &&
             ok;
    }
    ok = save(contactSheet(), folder, QStringLiteral("contact-sheet.png")) && ok;
    const PictureSet pictures(1);
    for (int background = 2; background <= 6; ++background) {
        ok = save(windowPreview(pictures, background), folder,
                  QStringLiteral("window-") + pictureName(background) + QStringLiteral(".png")) &&
             ok;
    }
    std::printf(
        "PictureSet of %zu pictures (processor / wall time):\n"
        "  first at ratio 1 (fonts loading): %.1f / %.1f ms\n"
        "  again at ratio 1:                 %.1f / %.1f ms\n"
        "  at ratio 2:                       %.1f / %.1f ms\n",
        pictureCodes().size(), first.processor, first.wall, warm.processor, warm.wall,
        warm2.processor, warm2.wall);
    return ok ? 0 : 1;
}
