#pragma once

#include <QWidget>
#include <memory>

#include "ui/help_page.h"

class QScrollArea;

namespace quorvel {

class PictureSet;

// Where the help window goes, as a frame rectangle: its preferred size bounded by the available
// area, right of the game where at least `minimumWidth` is free there, else left of it, else
// against the area's right edge; level with the game's top as far as the area allows.
QRect besideGame(const QRect& game, const QRect& available, QSize preferred, int minimumWidth);

// 遊び方: the rules with pictures drawn by the game's own artwork, then the menus, the options
// and the keys. A window of its own beside the game, not modal: play goes on while it is open.
// The pictures are drawn at the window's device pixel ratio.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Opens beside the game's frame within the screen's available area (see besideGame).
    void placeBeside(const QRect& gameFrame, const QRect& available);
    // Builds the pages again in the current language.
    void retranslate();
    // The device pixel ratio the pictures were last drawn at.
    qreal picturesRatio() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void build();

    QScrollArea* scroll_ = nullptr;
    std::unique_ptr<PictureSet> pictures_;
    PageFit fit_;
};

}
