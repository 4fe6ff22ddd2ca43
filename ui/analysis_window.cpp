#include "ui/analysis_window.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "game/record_analysis.h"
#include "ui/analysis_graph.h"
#include "ui/help_window.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr QSize PREFERRED(600, 380);
// Narrower than this, the window rather covers part of the game than stands beside it.
constexpr int MINIMUM_WIDTH_BESIDE = 360;
// 2^20 entries of 16 bytes: the table the game's own searches use.
constexpr int TABLE_LOG2_ENTRIES = 20;

}

AnalysisWindow::AnalysisWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    progress_ = new QProgressBar;
    progress_->setTextVisible(true);
    layout->addWidget(progress_);
    graph_ = new AnalysisGraph;
    layout->addWidget(graph_, 1);
    connect(graph_, &AnalysisGraph::pointClicked, this, [this](std::size_t index) {
        if (subject_ && index != subject_->shown) emit stepTo(index);
    });
    resize(PREFERRED);
    retranslate();
}

AnalysisWindow::~AnalysisWindow() {
    stop();
}

void AnalysisWindow::placeBeside(const QRect& gameFrame, const QRect& available) {
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect placed = besideGame(gameFrame, available, PREFERRED + frame, MINIMUM_WIDTH_BESIDE);
    resize(placed.size() - frame);
    move(placed.topLeft());
}

void AnalysisWindow::retranslate() {
    setWindowTitle(translated(ANALYSIS_CONTEXT, QT_TRANSLATE_NOOP("Analysis", "解析")) +
                   QStringLiteral(" - Quorvel"));
    graph_->update();
}

bool AnalysisWindow::finished() const {
    return subject_ && verdicts_.size() == subject_->points.size();
}

void AnalysisWindow::follow(std::shared_ptr<const AnalysisSubject> subject) {
    if (!subject) return;
    std::size_t same = 0;
    if (subject_ && subject_->sente == subject->sente) {
        const auto& was = subject_->points;
        const auto& now = subject->points;
        while (same < std::min(was.size(), now.size()) && was[same] == now[same])
            ++same;
    }
    const bool changed = !subject_ || same != subject_->points.size() ||
                         same != subject->points.size() || subject_->sente != subject->sente;
    if (changed) {
        stop();
        verdicts_.resize(std::min(verdicts_.size(), same));
    }
    subject_ = std::move(subject);
    graph_->setCourse(subject_->points.size(), verdicts_, subject_->sente);
    graph_->setShown(subject_->shown);
    if (isVisible()) start();
    showProgress();
}

void AnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    start();
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    stop();
    showProgress();
    QWidget::closeEvent(event);
}

void AnalysisWindow::start() {
    if (worker_.joinable() || !subject_ || finished()) return;
    stopping_ = false;
    const unsigned run = run_;
    worker_ = std::thread([this, run, subject = subject_, from = verdicts_.size()] {
        engine::TranspositionTable table(TABLE_LOG2_ENTRIES);
        for (std::size_t i = from; i < subject->points.size() && !stopping_; ++i) {
            const engine::Verdict verdict =
                engine::analysePosition(subject->points, i, subject->sente, table);
            QMetaObject::invokeMethod(
                this, [this, run, i, verdict] { receive(run, i, verdict); }, Qt::QueuedConnection);
        }
    });
}

void AnalysisWindow::stop() {
    ++run_;
    stopping_ = true;
    if (worker_.joinable()) worker_.join();
}

void AnalysisWindow::receive(unsigned run, std::size_t index, engine::Verdict verdict) {
    if (run != run_ || index != verdicts_.size()) return;
    verdicts_.push_back(verdict);
    graph_->setCourse(subject_->points.size(), verdicts_, subject_->sente);
    if (finished() && worker_.joinable()) worker_.join();
    showProgress();
}

void AnalysisWindow::showProgress() {
    const int total = subject_ ? static_cast<int>(subject_->points.size()) : 0;
    progress_->setRange(0, std::max(total, 1));
    progress_->setValue(static_cast<int>(verdicts_.size()));
    progress_->setVisible(!finished());
}

}
