#pragma once

#include <QRectF>
#include <QWidget>
#include <cstddef>
#include <vector>

#include "ai/verdict.h"

namespace quorvel {

// Where the graph puts things, in logical pixels: one home for painting and for hit-testing.
// The plot runs from position 0 at its left edge to the last position at its right; its top band
// holds the positions where a win of 先手 is proved, its bottom band those of 後手, and the
// evaluations lie between them, 0 in the middle.
struct GraphLayout {
    QRectF plot;
    std::size_t positions = 1;

    static constexpr double BAND = 16;
    // An evaluation of this size lies halfway between the middle and a band.
    static constexpr double HALF_SCORE = 150;

    double xOf(std::size_t index) const;
    // The position nearest to x, clamped to the plot.
    std::size_t indexAt(double x) const;
    // The height of a verdict: in a band when a win of either side is proved.
    double yOf(const engine::Verdict& verdict, int sente) const;
};

// The course of the game drawn with QPainter: the evaluation for 先手 over the move numbers,
// proved wins and losses in their bands, marks on the moves that let a proved win go or walked
// into a proved loss, and the position on the board highlighted. A click on the plot asks for
// the position under it.
//
// QPainter rather than Qt Charts: the proved results sit in bands of their own and the marks
// between two points, which a chart's series do not model; it draws the same pixels offscreen as
// on screen at every ratio; and it adds no library (Qt Charts is only kept up in Qt 6).
class AnalysisGraph : public QWidget {
    Q_OBJECT

  public:
    explicit AnalysisGraph(QWidget* parent = nullptr);

    // positions: how many the game has (its moves + 1); verdicts: those judged so far, from 0.
    void setCourse(std::size_t positions, std::vector<engine::Verdict> verdicts, int sente);
    void setShown(std::size_t index);
    GraphLayout layout() const;

  signals:
    void pointClicked(std::size_t index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void drawFrame(class QPainter& painter, const GraphLayout& layout) const;
    void drawCourse(QPainter& painter, const GraphLayout& layout) const;
    void drawLegend(QPainter& painter, const GraphLayout& layout) const;

    std::size_t positions_ = 1;
    std::vector<engine::Verdict> verdicts_;
    int sente_ = -1;  // the lower pieces
    std::size_t shown_ = 0;
};

}
