#pragma once

#include <QWidget>
#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

#include "ai/verdict.h"

class QProgressBar;

namespace quorvel {

struct AnalysisSubject;
class AnalysisGraph;

// 解析: the course of the record on the board as a graph, in a window of its own beside the game.
// The positions are judged on a worker thread, one at a time, each verdict handed back to the
// window's thread by a queued call, so the window and the game answer all the while; a progress
// bar shows how far it got. Closing the window stops the work; a changed record is judged again
// from its first changed position, since a verdict rests only on the positions up to its own.
class AnalysisWindow : public QWidget {
    Q_OBJECT

  public:
    explicit AnalysisWindow(QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    // Opens beside the game's frame within the screen's available area, as the help window does.
    void placeBeside(const QRect& gameFrame, const QRect& available);
    // The record on the board now; the work goes on (while the window is shown) from the first
    // position that differs from the one judged.
    void follow(std::shared_ptr<const AnalysisSubject> subject);
    void retranslate();

    // Positions judged of the record followed, and whether all are.
    std::size_t judged() const { return verdicts_.size(); }
    bool finished() const;
    AnalysisGraph& graph() const { return *graph_; }

  signals:
    // A click on the graph asks for the position after this many moves.
    void stepTo(std::size_t moves);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void start();
    void stop();
    void receive(unsigned run, std::size_t index, engine::Verdict verdict);
    void showProgress();

    AnalysisGraph* graph_ = nullptr;
    QProgressBar* progress_ = nullptr;
    std::shared_ptr<const AnalysisSubject> subject_;
    std::vector<engine::Verdict> verdicts_;
    std::thread worker_;
    std::atomic<bool> stopping_ = false;
    // Counts the runs of the worker, so a verdict of a stopped run is dropped.
    unsigned run_ = 0;
};

}
