#include "ui/analysis_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

#include "ui/texts.h"

namespace quorvel {

namespace {

// Margins around the plot, in logical pixels: the left one holds the bands' and the middle's
// labels, the bottom one the move numbers, the axis' name and the legend.
constexpr double LEFT = 84;
constexpr double RIGHT = 14;
constexpr double TOP = 10;
constexpr double BOTTOM = 62;
constexpr double POINT = 3;
constexpr double MARK = 6;

const QColor SENTE_BAND(255, 228, 220);
const QColor GOTE_BAND(220, 232, 255);
const QColor CURVE(40, 40, 40);
const QColor SENTE_WIN(200, 40, 20);
const QColor GOTE_WIN(30, 70, 200);
const QColor SHOWN(0, 150, 60);
const QColor LET_WIN_GO(230, 140, 0);
const QColor INTO_LOSS(220, 0, 0);

// A step of the move numbers that leaves room for each label.
std::size_t tickStep(std::size_t positions, double width, double labelWidth) {
    for (const std::size_t step : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
        if ((positions + step - 1) / step * labelWidth <= width) return step;
    }
    return 1000;
}

// An orange triangle pointing down over a move that let a win go; a red cross on one that walked
// into a loss.
void drawMark(QPainter& painter, QPointF at, engine::MoveMark mark) {
    if (mark == engine::MoveMark::LetWinGo) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(LET_WIN_GO);
        const std::array triangle{at + QPointF(-MARK, -MARK), at + QPointF(MARK, -MARK),
                                  at + QPointF(0, MARK * 0.7)};
        painter.drawPolygon(triangle.data(), static_cast<int>(triangle.size()));
    } else if (mark == engine::MoveMark::WalkedIntoLoss) {
        painter.setPen(QPen(INTO_LOSS, 2.5));
        painter.drawLine(at + QPointF(-MARK, -MARK), at + QPointF(MARK, MARK));
        painter.drawLine(at + QPointF(-MARK, MARK), at + QPointF(MARK, -MARK));
    }
}

}

double GraphLayout::xOf(std::size_t index) const {
    if (positions <= 1) return plot.left();
    return plot.left() + plot.width() * static_cast<double>(index) / (positions - 1);
}

std::size_t GraphLayout::indexAt(double x) const {
    if (positions <= 1 || plot.width() <= 0) return 0;
    const double at = (x - plot.left()) / plot.width() * (positions - 1);
    return static_cast<std::size_t>(std::clamp(std::lround(at), 0L, long(positions - 1)));
}

double GraphLayout::yOf(const engine::Verdict& verdict, int sente) const {
    const int proven = engine::provenFor(verdict, sente);
    if (proven != 0) return proven > 0 ? plot.top() + BAND / 2 : plot.bottom() - BAND / 2;
    // Evaluations lean towards the bands without reaching them, however large.
    const double score = verdict.evaluation;
    const double lean = score / (std::abs(score) + HALF_SCORE);
    const double half = plot.height() / 2 - BAND;
    return plot.center().y() - lean * half;
}

AnalysisGraph::AnalysisGraph(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 220);
    setCursor(Qt::PointingHandCursor);
}

void AnalysisGraph::setCourse(std::size_t positions, std::vector<engine::Verdict> verdicts,
                              int sente) {
    positions_ = std::max<std::size_t>(positions, 1);
    verdicts_ = std::move(verdicts);
    sente_ = sente;
    update();
}

void AnalysisGraph::setShown(std::size_t index) {
    if (index == shown_) return;
    shown_ = index;
    update();
}

GraphLayout AnalysisGraph::layout() const {
    return {QRectF(LEFT, TOP, width() - LEFT - RIGHT, height() - TOP - BOTTOM), positions_};
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
    const GraphLayout l = layout();
    const QPointF at = event->position();
    if (event->button() != Qt::LeftButton || at.x() < l.plot.left() - MARK ||
        at.x() > l.plot.right() + MARK) {
        return QWidget::mousePressEvent(event);
    }
    emit pointClicked(l.indexAt(at.x()));
}

void AnalysisGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const GraphLayout l = layout();
    drawFrame(painter, l);
    drawCourse(painter, l);
    drawLegend(painter, l);
}

void AnalysisGraph::drawFrame(QPainter& painter, const GraphLayout& l) const {
    const QRectF& plot = l.plot;
    const QRectF top(plot.left(), plot.top(), plot.width(), GraphLayout::BAND);
    const QRectF bottom(plot.left(), plot.bottom() - GraphLayout::BAND, plot.width(),
                        GraphLayout::BAND);
    painter.fillRect(top, SENTE_BAND);
    painter.fillRect(bottom, GOTE_BAND);
    painter.setPen(QPen(Qt::lightGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), plot.center().y()),
                     QPointF(plot.right(), plot.center().y()));
    painter.setPen(Qt::gray);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // The labels of the bands and the middle, right-aligned against the plot.
    painter.setPen(Qt::black);
    const auto label = [&](double y, const char* text) {
        const QRectF box(0, y - 10, LEFT - 6, 20);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                         translated(ANALYSIS_CONTEXT, text));
    };
    label(top.center().y(), QT_TRANSLATE_NOOP("Analysis", "先手勝ち"));
    label(plot.center().y(), QT_TRANSLATE_NOOP("Analysis", "互角"));
    label(bottom.center().y(), QT_TRANSLATE_NOOP("Analysis", "後手勝ち"));

    // Move numbers under the plot, as many as fit.
    const QFontMetricsF metrics(painter.font());
    const double labelWidth = metrics.horizontalAdvance(QString::number(positions_ - 1)) + 12;
    const std::size_t step = tickStep(positions_, plot.width(), labelWidth);
    for (std::size_t i = 0; i < positions_; i += step) {
        const double x = l.xOf(i);
        painter.setPen(Qt::gray);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - labelWidth / 2, plot.bottom() + 4, labelWidth, 18),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(i));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 18), Qt::AlignHCenter,
                     translated(ANALYSIS_CONTEXT, QT_TRANSLATE_NOOP("Analysis", "手数")));
}

void AnalysisGraph::drawCourse(QPainter& painter, const GraphLayout& l) const {
    // The position on the board.
    painter.setPen(QPen(SHOWN, 2));
    const double shownX = l.xOf(std::min(shown_, positions_ - 1));
    painter.drawLine(QPointF(shownX, l.plot.top()), QPointF(shownX, l.plot.bottom()));

    std::vector<QPointF> points;
    points.reserve(verdicts_.size());
    for (std::size_t i = 0; i < verdicts_.size(); ++i)
        points.emplace_back(l.xOf(i), l.yOf(verdicts_[i], sente_));
    painter.setPen(QPen(CURVE, 1.5));
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));

    for (std::size_t i = 0; i < points.size(); ++i) {
        const int proven = engine::provenFor(verdicts_[i], sente_);
        painter.setPen(Qt::NoPen);
        if (proven != 0) {
            // A proved result: a square in its side's colour.
            painter.setBrush(proven > 0 ? SENTE_WIN : GOTE_WIN);
            painter.drawRect(QRectF(points[i] - QPointF(POINT + 1, POINT + 1),
                                    QSizeF(2 * POINT + 2, 2 * POINT + 2)));
        } else {
            painter.setBrush(CURVE);
            painter.drawEllipse(points[i], POINT, POINT);
        }
        if (i == shown_) {
            painter.setPen(QPen(SHOWN, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(points[i], POINT + 4, POINT + 4);
        }
        // The mark of the move into this position: above the point, below one in the top band.
        if (i > 0) {
            const engine::Verdict& before = verdicts_[i - 1];
            const bool roomAbove = points[i].y() - 3 * MARK >= l.plot.top() + MARK;
            drawMark(painter, points[i] + QPointF(0, roomAbove ? -3 * MARK : 3 * MARK),
                     engine::markOf(before, verdicts_[i], before.side));
        }
    }
}

void AnalysisGraph::drawLegend(QPainter& painter, const GraphLayout& l) const {
    const double y = l.plot.bottom() + 48;
    double x = l.plot.left();
    const QFontMetricsF metrics(painter.font());
    for (const engine::MoveMark mark :
         {engine::MoveMark::LetWinGo, engine::MoveMark::WalkedIntoLoss}) {
        drawMark(painter, QPointF(x + MARK, y), mark);
        const QString text =
            translated(ANALYSIS_CONTEXT, mark == engine::MoveMark::LetWinGo
                                             ? QT_TRANSLATE_NOOP("Analysis", "勝ちを逃した手")
                                             : QT_TRANSLATE_NOOP("Analysis", "負けに入った手"));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + 3 * MARK, y + metrics.ascent() / 2 - 1), text);
        x += 3 * MARK + metrics.horizontalAdvance(text) + 24;
    }
}

}
