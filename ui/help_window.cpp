#include "ui/help_window.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "ui/art/pictures.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr int PREFERRED_HEIGHT = 660;
// Narrower than this, the help window rather covers part of the game than stands beside it.
constexpr int MINIMUM_WIDTH_BESIDE = 360;

}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea;
    scroll_->setWidgetResizable(true);
    layout->addWidget(scroll_);
    QSize size(HELP_PAGE_WIDTH, PREFERRED_HEIGHT);
    if (const QScreen* screen = parent != nullptr ? parent->screen() : nullptr) {
        size = size.boundedTo(screen->availableSize());
    }
    resize(size);
    build();
}

HelpWindow::~HelpWindow() = default;

QRect besideGame(const QRect& game, const QRect& available, QSize preferred, int minimumWidth) {
    const QSize size = preferred.boundedTo(available.size());
    const int roomRight = available.right() - game.right();
    const int roomLeft = game.left() - available.left();
    QRect placed(QPoint(0, 0), size);
    if (roomRight >= minimumWidth) {
        placed.setWidth(std::min(size.width(), roomRight));
        placed.moveLeft(game.right() + 1);
    } else if (roomLeft >= minimumWidth) {
        placed.setWidth(std::min(size.width(), roomLeft));
        placed.moveRight(game.left() - 1);
    } else {
        placed.moveRight(available.right());
    }
    placed.moveTop(std::clamp(game.top(), available.top(), available.bottom() + 1 - size.height()));
    return placed;
}

void HelpWindow::placeBeside(const QRect& gameFrame, const QRect& available) {
    // The frame is known once shown; before, the title bar is estimated.
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect placed =
        besideGame(gameFrame, available, QSize(HELP_PAGE_WIDTH, PREFERRED_HEIGHT) + frame,
                   MINIMUM_WIDTH_BESIDE);
    resize(placed.size() - frame);
    move(placed.topLeft());
}

qreal HelpWindow::picturesRatio() const {
    return pictures_ ? pictures_->devicePixelRatio() : 0;
}

void HelpWindow::retranslate() {
    build();
}

void HelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The window may open on a screen of another ratio than the one it was built for.
    if (picturesRatio() != devicePixelRatioF()) build();
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &HelpWindow::build, Qt::UniqueConnection);
    }
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A width that changes how the pictures fit builds the page again, once resizing rests.
    if (pageFit(width()) != fit_) QTimer::singleShot(0, this, &HelpWindow::build);
}

void HelpWindow::build() {
    setWindowTitle(translated(HELP_CONTEXT, QT_TRANSLATE_NOOP("Help", "遊び方")) +
                   QStringLiteral(" - Quorvel"));
    fit_ = pageFit(width());
    pictures_ = std::make_unique<PictureSet>(devicePixelRatioF());
    const int position = scroll_->verticalScrollBar()->value();
    scroll_->setWidget(buildHelpPage(*pictures_, fit_));
    scroll_->verticalScrollBar()->setValue(position);
}

}
