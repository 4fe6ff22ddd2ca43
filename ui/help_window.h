#pragma once

#include <QWidget>
#include <memory>

class QScrollArea;

namespace quorvel {

class PictureSet;

// 遊び方: the rules with pictures drawn by the game's own artwork, then the menus, the options
// and the keys. A window of its own beside the game, not modal: play goes on while it is open.
// The pictures are drawn at the window's device pixel ratio.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    ~HelpWindow() override;

    // Builds the pages again in the current language.
    void retranslate();
    // The device pixel ratio the pictures were last drawn at.
    qreal picturesRatio() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    QWidget* buildPage();

    QScrollArea* scroll_ = nullptr;
    std::unique_ptr<PictureSet> pictures_;
};

}
