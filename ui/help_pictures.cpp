#include "ui/help_pictures.h"

#include <QPainter>
#include <QtMath>
#include <functional>

#include "ai/survey.h"
#include "game/game.h"
#include "game/magnets.h"
#include "rules/check.h"
#include "rules/move_check.h"
#include "rules/prince_step.h"
#include "ui/art/pictures.h"
#include "ui/palette.h"

namespace quorvel {

namespace {

constexpr int CELL_W = 33;
constexpr int CELL_H = 41;
constexpr int PRESSED_COLOUR = 14;
constexpr QRgb REACH_TINT = qRgba(255, 220, 0, 110);

void drawCellPicture(QPainter& painter, const PictureSet& pictures, int code, int column, int row) {
    if (const QImage* picture = pictures.find(code)) {
        painter.drawImage(QRectF(column * CELL_W, row * CELL_H, CELL_W, CELL_H), *picture);
    }
}

void outlineCell(QPainter& painter, int column, int row, int colourIndex, qreal width) {
    painter.setPen(QPen(paletteColour(colourIndex), width));
    painter.setBrush(Qt::NoBrush);
    const qreal half = width / 2;
    painter.drawRect(
        QRectF(column * CELL_W + half, row * CELL_H + half, CELL_W - width, CELL_H - width));
}

// The frame cell where a magnet of the direction stands, in diagram cells.
QPoint magnetCell(const Diagram& d, Direction direction) {
    const int columns = d.toX - d.fromX + 1;
    const int rows = d.toY - d.fromY + 1;
    switch (direction) {
        case Direction::Left:
            return {0, 1 + rows / 2};
        case Direction::Right:
            return {columns + 1, 1 + rows / 2};
        case Direction::Up:
            return {1 + columns / 2, 0};
        case Direction::Down:
            return {1 + columns / 2, rows + 1};
    }
    return {};
}

}

QImage drawDiagram(const Diagram& d, const PictureSet& pictures) {
    const qreal ratio = pictures.devicePixelRatio();
    // The frame is one cell on each side; without it the squares start at cell 0.
    const int margin = d.frame ? 1 : 0;
    const int columns = d.toX - d.fromX + 1 + 2 * margin;
    const int rows = d.toY - d.fromY + 1 + 2 * margin;
    QImage image(qCeil(columns * CELL_W * ratio), qCeil(rows * CELL_H * ratio),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(paletteColour(windowBackgroundColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    for (int x = d.fromX; x <= d.toX; ++x) {
        for (int y = d.fromY; y <= d.toY; ++y) {
            const int column = x - d.fromX + margin;
            const int row = y - d.fromY + margin;
            drawCellPicture(painter, pictures, d.board(x, y), column, row);
            outlineCell(painter, column, row, gridColour, 1);
        }
    }
    for (const Square& s : d.reached) {
        const QRectF cell((s.x - d.fromX + margin) * CELL_W, (s.y - d.fromY + margin) * CELL_H,
                          CELL_W, CELL_H);
        painter.fillRect(cell, QColor::fromRgba(REACH_TINT));
    }
    for (const Direction direction : d.frame ? d.magnets : std::vector<Direction>{}) {
        const QPoint cell = magnetCell(d, direction);
        drawCellPicture(painter, pictures, magnetOf(direction).code, cell.x(), cell.y());
        if (d.pressed == direction) outlineCell(painter, cell.x(), cell.y(), PRESSED_COLOUR, 2);
    }
    for (const DiagramOutline& o : d.outlines) {
        outlineCell(painter, o.square.x - d.fromX + margin, o.square.y - d.fromY + margin,
                    o.colourIndex, 2);
    }
    return image;
}

Square princeOf(const Board& board) {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (board(x, y) == PRINCE) return {x, y};
        }
    }
    return {};
}

bool playMagnet(Board& board, Direction direction) {
    Square prince = princeOf(board);
    const bool stepped = stepPrince(board, prince, direction);
    slide(board, direction);
    return stepped;
}

std::optional<WinExample> findWinExample(int maxPresses) {
    constexpr Direction order[] = {Direction::Left, Direction::Right, Direction::Up,
                                   Direction::Down};
    const Sides sides{SIDE_SENTE, SIDE_GOTE};
    // Which side attacks the other's king on a board, tested as the game tests a press between
    // two players: the lower (first) side first.
    auto attack = [&](const Board& board, WinExample& found) {
        KingSquares kings;
        勢力調査(board, kings);
        int ax = 0, ay = 0, kx = 0, ky = 0;
        for (const int side : {SIDE_SENTE, SIDE_GOTE}) {
            if (調査_王手(board, kings, sides, side, ax, ay, kx, ky)) {
                found.attacker = {ax, ay};
                found.king = {kx, ky};
                found.lowerWins = side == sides.manSide;
                return true;
            }
        }
        return false;
    };
    Board first;
    layFirstPosition(first);
    for (int length = 1; length <= maxPresses; ++length) {
        WinExample found;
        std::function<bool(const Board&, int)> search = [&](const Board& board, int depth) {
            for (const Direction direction : order) {
                Board next = board;
                playMagnet(next, direction);
                found.presses.push_back(direction);
                if (depth + 1 == length) {
                    if (attack(next, found)) {
                        found.before = board;
                        found.after = next;
                        return true;
                    }
                } else if (!attack(next, found) && search(next, depth + 1)) {
                    return true;
                }
                found.presses.pop_back();
            }
            return false;
        };
        if (search(first, 0)) return found;
    }
    return std::nullopt;
}

std::vector<Square> reachOf(int code) {
    Board board;
    board(5, 5) = code;
    std::vector<Square> reached;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if ((x != 5 || y != 5) && 移動チェック(board, 5, 5, x, y, code))
                reached.push_back({x, y});
        }
    }
    return reached;
}

}
