#pragma once

#include <QWidget>

namespace quorvel {

class PictureSet;

// The help page's width at which its pictures stand side by side at full size.
inline constexpr int HELP_PAGE_WIDTH = 880;

// How the help page fits a window `width` logical pixels wide: wide enough, its pictures stand
// side by side at full size; narrower, they are stacked and drawn smaller to fit the width.
struct PageFit {
    bool stacked = false;
    double scale = 1;
    bool operator==(const PageFit&) const = default;
};
PageFit pageFit(int width);

// 遊び方 in the current language: the rules with pictures drawn by the game's own artwork (at the
// pictures' device pixel ratio), then the menus, the options and the keys; one section after
// another, each built by a function of its own.
QWidget* buildHelpPage(const PictureSet& pictures, PageFit fit);

}
