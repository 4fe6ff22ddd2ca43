// Board squares, the shogi pieces standing on them and the prince stone.

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <array>
#include <cmath>
#include <mutex>
#include <numbers>
#include <optional>

#include "rules/pieces.h"
#include "ui/art/paint_kit.h"
#include "ui/art/painters.h"

namespace quorvel::art {

namespace {

constexpr float squareWidth = 33.0f;
constexpr float squareHeight = 41.0f;
constexpr QPointF squareCentre(squareWidth / 2, squareHeight / 2);

// Kaya board wood with straight vertical grain. The pattern repeats every square, so the grain
// of neighbouring squares lines up across the board's grid lines.
class KayaWood {
  public:
    KayaWood()
        : warp_(3, 2, squareWidth, squareHeight, 11),
          drift_(2, 6, squareWidth, squareHeight, 12),
          blotch_(4, 5, squareWidth, squareHeight, 13),
          fibre_(33, 8, squareWidth, squareHeight, 14) {}

    Colour at(float x, float y) const {
        const Colour early{228, 186, 114};
        const Colour late{200, 150, 84};
        const float s = x + 3.5f * (warp_.at(x, y) - 0.5f) + 2.0f * (drift_.at(x, y) - 0.5f);
        // Five growth rings per square: the wood darkens gradually towards each ring's end.
        const float ring = s * 5.0f / squareWidth;
        const float p = ring - std::floor(ring);
        const float lateWood = smoothStep(0.45f, 0.9f, p) * (1.0f - smoothStep(0.9f, 1.0f, p));
        Colour c = mix(early, late, 0.5f * lateWood);
        c = c * (0.96f + 0.07f * blotch_.at(x, y));
        return c * (0.985f + 0.03f * fibre_.at(x, y));
    }

  private:
    TileNoise warp_;
    TileNoise drift_;
    TileNoise blotch_;
    TileNoise fibre_;
};

// A closed polygon whose corners are rounded off by the given radii.
QPainterPath roundedPolygon(const QPolygonF& corners, const std::vector<qreal>& radii) {
    const int n = int(corners.size());
    auto towards = [](QPointF from, QPointF to, qreal distance) {
        const QPointF d = to - from;
        const qreal length = std::hypot(d.x(), d.y());
        return from + d * (distance / length);
    };
    QPainterPath path;
    for (int i = 0; i < n; ++i) {
        const QPointF corner = corners[i];
        const QPointF before = towards(corner, corners[(i + n - 1) % n], radii[std::size_t(i)]);
        const QPointF after = towards(corner, corners[(i + 1) % n], radii[std::size_t(i)]);
        if (i == 0) {
            path.moveTo(before);
        } else {
            path.lineTo(before);
        }
        path.quadTo(corner, after);
    }
    path.closeSubpath();
    return path;
}

// The face of a koma standing in a box with its point up.
QPainterPath komaOutline(const QRectF& box) {
    const qreal cx = box.center().x();
    const qreal shoulderY = box.top() + box.height() * 0.25;
    const qreal shoulderInset = box.width() * 0.09;
    const QPolygonF corners{QPointF(cx, box.top()), QPointF(box.right() - shoulderInset, shoulderY),
                            box.bottomRight(), box.bottomLeft(),
                            QPointF(box.left() + shoulderInset, shoulderY)};
    return roundedPolygon(corners, {1.6, 1.1, 1.0, 1.0, 1.1});
}

struct PieceLook {
    int code;           // the lower side's code
    const char* kanji;  // UTF-8
    bool promoted;      // promoted kanji are lacquered red
    qreal scale;        // relative size: pawns are the smallest pieces, kings the largest
};

constexpr PieceLook pieceLooks[] = {
    {LOWER_PAWN, "歩", false, 0.92},
    {LOWER_LANCE, "香", false, 0.94},
    {LOWER_KNIGHT, "桂", false, 0.95},
    {LOWER_SILVER, "銀", false, 0.97},
    {LOWER_GOLD, "金", false, 0.97},
    {LOWER_BISHOP, "角", false, 1.0},
    {LOWER_ROOK, "飛", false, 1.0},
    {LOWER_KING, "王", false, 1.0},
    {LOWER_PAWN_PROMOTED, "と", true, 0.92},
    {LOWER_LANCE_PROMOTED, "杏", true, 0.94},
    {LOWER_KNIGHT_PROMOTED, "圭", true, 0.95},
    {LOWER_SILVER_PROMOTED, "全", true, 0.97},
    {LOWER_BISHOP_PROMOTED, "馬", true, 1.0},
    {LOWER_ROOK_PROMOTED, "龍", true, 1.0},
};

const PieceLook* lookOf(int code) {
    const int lowerCode = code > 0 ? -code : code;
    for (const PieceLook& look : pieceLooks) {
        if (look.code == lowerCode) return &look;
    }
    return nullptr;
}

// The outline of a piece's kanji at a 20-pixel font size, centred on the origin. Laying out
// glyphs is the slowest step of painting a piece, so it happens once per piece, when the piece
// is first painted. The kanji come from IPAPMincho, the board texts' face, so the pieces on the
// board need no font file of their own; its kanji are IPAMincho's. The kana of the promoted
// pawn is narrower there, so that one keeps IPAMincho.
const QPainterPath& kanjiOutline(const PieceLook& look) {
    static std::mutex guard;
    static std::array<std::optional<QPainterPath>, std::size(pieceLooks)> outlines;
    const std::lock_guard lock(guard);
    std::optional<QPainterPath>& outline = outlines[std::size_t(&look - pieceLooks)];
    if (!outline) {
        const bool kana = look.code == LOWER_PAWN_PROMOTED;
        QFont font(kana ? QStringLiteral("IPAMincho") : QStringLiteral("IPAPMincho"));
        // Laid out four times larger and scaled down, so the outline does not depend on
        // hinting at small pixel sizes.
        font.setPixelSize(20 * 4);
        QPainterPath path;
        path.addText(0, 0, font, QString::fromUtf8(look.kanji));
        path = QTransform::fromScale(0.25, 0.25).map(path);
        outline = path.translated(-path.boundingRect().center());
    }
    return *outline;
}

// The wood of an empty square at a ratio. Every piece and the prince stand on it, so the last
// one painted is kept.
QImage woodSquare(qreal ratio) {
    static std::mutex guard;
    static QImage kept;
    const std::lock_guard lock(guard);
    if (kept.isNull() || kept.devicePixelRatio() != ratio) {
        kept = makeCanvas(QSize(int(squareWidth), int(squareHeight)), ratio);
        const KayaWood wood;
        fillPixels(kept, [&](float x, float y) { return wood.at(x, y); });
    }
    return kept;
}

void paintKoma(QPainter& painter, const PieceLook& look, bool upper) {
    // The piece is laid out point up and turned half round for the upper side; light and
    // shadow stay fixed (from the upper left) whichever way it faces.
    QTransform turn;
    if (upper) {
        turn.translate(squareCentre.x(), squareCentre.y());
        turn.rotate(180);
        turn.translate(-squareCentre.x(), -squareCentre.y());
    }
    const qreal width = 26.0 * look.scale;
    const qreal height = 33.5 * look.scale;
    const QRectF box(squareCentre.x() - width / 2, squareCentre.y() - height / 2, width, height);
    const QPainterPath face = turn.map(komaOutline(box));
    const QRectF bounds = face.boundingRect();

    // Shadow cast down and to the right.
    painter.setPen(Qt::NoPen);
    painter.fillPath(face.translated(1.3, 1.5), QColor(60, 30, 5, 45));
    painter.fillPath(face.translated(0.8, 0.9), QColor(60, 30, 5, 70));

    // Boxwood face, lit from the upper left.
    QLinearGradient wood(bounds.topLeft(), bounds.bottomRight());
    wood.setColorAt(0.0, QColor(252, 232, 180));
    wood.setColorAt(0.55, QColor(243, 214, 152));
    wood.setColorAt(1.0, QColor(228, 190, 122));
    painter.fillPath(face, wood);

    // Fine straight grain running along the piece.
    painter.save();
    painter.setClipPath(face);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 9; ++i) {
        const qreal x = box.left() + 1.5 + i * (box.width() - 3) / 8 + hashUnit(i, 1, 7) * 1.6;
        const qreal bend = (hashUnit(i, 2, 7) - 0.5) * 2.0;
        QPainterPath grain;
        grain.moveTo(x, box.top());
        grain.cubicTo(x + bend, box.top() + box.height() * 0.35, x - bend,
                      box.top() + box.height() * 0.7, x + bend * 0.5, box.bottom());
        painter.setPen(QPen(QColor(170, 120, 50, 22 + int(hashUnit(i, 3, 7) * 26)), 0.6));
        painter.drawPath(turn.map(grain));
    }
    painter.restore();

    // Edge: a dark rim and a bevel that catches the light on the upper left.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 78, 32, 220), 0.9));
    painter.drawPath(face);
    const QPainterPath bevel = turn.map(komaOutline(box.adjusted(1.1, 1.4, -1.1, -1.0)));
    QLinearGradient bevelLight(bounds.topLeft(), bounds.bottomRight());
    bevelLight.setColorAt(0.0, QColor(255, 255, 240, 200));
    bevelLight.setColorAt(0.5, QColor(255, 250, 225, 40));
    bevelLight.setColorAt(1.0, QColor(150, 100, 40, 90));
    painter.setPen(QPen(QBrush(bevelLight), 0.8));
    painter.drawPath(bevel);

    // The kanji, in black lacquer or, for promoted pieces, red.
    const QColor ink = look.promoted ? QColor(186, 28, 24) : QColor(26, 18, 12);
    const qreal kanjiScale = 0.55 + 0.45 * look.scale;
    QTransform kanjiPlace = QTransform::fromScale(kanjiScale, kanjiScale);
    kanjiPlace *= QTransform::fromTranslate(squareCentre.x(), box.top() + height * 0.6);
    const QPainterPath kanji = (kanjiPlace * turn).map(kanjiOutline(look));
    painter.setPen(QPen(ink, 0.65, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(ink);
    painter.drawPath(kanji);
}

}

void paintEmptySquare(QImage& canvas) {
    canvas = woodSquare(canvas.devicePixelRatio());
}

void paintPiece(QImage& canvas, int code) {
    paintEmptySquare(canvas);
    const PieceLook* look = lookOf(code);
    if (look == nullptr) return;
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    paintKoma(painter, *look, isUpperCode(code));
}

void paintPrince(QImage& canvas) {
    paintEmptySquare(canvas);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);

    // A flat river pebble, slightly irregular, lying in the middle of the square.
    QPainterPath stone;
    const int points = 48;
    for (int i = 0; i <= points; ++i) {
        const qreal a = 2 * std::numbers::pi * i / points;
        const qreal wobble = 1.0 + 0.035 * std::sin(2 * a + 0.6) + 0.025 * std::sin(3 * a + 2.1);
        const QPointF p(squareCentre.x() + 11.8 * wobble * std::cos(a),
                        squareCentre.y() + 10.6 * wobble * std::sin(a));
        if (i == 0) {
            stone.moveTo(p);
        } else {
            stone.lineTo(p);
        }
    }
    stone.closeSubpath();
    const QRectF bounds = stone.boundingRect();

    painter.setPen(Qt::NoPen);
    painter.fillPath(stone.translated(1.4, 1.7), QColor(50, 25, 5, 50));
    painter.fillPath(stone.translated(0.8, 1.0), QColor(50, 25, 5, 80));

    QRadialGradient body(bounds.center() + QPointF(-3.5, -4.0), 15.0);
    body.setColorAt(0.0, QColor(128, 134, 140));
    body.setColorAt(0.45, QColor(70, 74, 80));
    body.setColorAt(0.85, QColor(36, 38, 43));
    body.setColorAt(1.0, QColor(24, 25, 29));
    painter.fillPath(stone, body);

    painter.save();
    painter.setClipPath(stone);
    // A band of quartz across the stone, widest in the middle and fading out at the ends.
    const auto at = [&](qreal fx, qreal fy) {
        return QPointF(bounds.left() + bounds.width() * fx, bounds.top() + bounds.height() * fy);
    };
    QPainterPath vein;
    vein.moveTo(at(-0.05, 0.74));
    vein.cubicTo(at(0.3, 0.56), at(0.62, 0.68), at(1.05, 0.36));
    vein.cubicTo(at(0.62, 0.8), at(0.3, 0.68), at(-0.05, 0.74));
    QLinearGradient quartz(bounds.topLeft(), bounds.topRight());
    quartz.setColorAt(0.0, QColor(215, 215, 210, 40));
    quartz.setColorAt(0.5, QColor(225, 225, 218, 150));
    quartz.setColorAt(1.0, QColor(215, 215, 210, 40));
    painter.fillPath(vein, quartz);
    // Light reflected from the board onto the lower right rim.
    QRadialGradient rim(bounds.center() + QPointF(5.0, 6.0), 14.0);
    rim.setColorAt(0.75, QColor(200, 150, 90, 0));
    rim.setColorAt(1.0, QColor(200, 150, 90, 70));
    painter.fillPath(stone, rim);
    painter.restore();

    // Polished highlight.
    QRadialGradient shine(bounds.center() + QPointF(-4.2, -4.6), 5.0);
    shine.setColorAt(0.0, QColor(255, 255, 255, 210));
    shine.setColorAt(0.4, QColor(255, 255, 255, 90));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawEllipse(bounds.center() + QPointF(-4.2, -4.6), 5.0, 3.8);
}

}
