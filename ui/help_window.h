#pragma once

#include <QWidget>
#include <memory>

class QScrollArea;

namespace quorvel {

class PictureSet;

// How the help page fits a window `width` logical pixels wide: wide enough, its pictures stand
// side by side at full size; narrower, they are stacked and drawn smaller to fit the width.
struct PageFit {
    bool stacked = false;
    double scale = 1;
    bool operator==(const PageFit&) const = default;
};
PageFit pageFit(int width);

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
    QWidget* buildPage();

    QScrollArea* scroll_ = nullptr;
    std::unique_ptr<PictureSet> pictures_;
    PageFit fit_;
};

}
