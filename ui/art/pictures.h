#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <map>
#include <span>
#include <vector>

#include "ui/art/ready_pictures.h"

namespace quorvel {

// Natural size of a picture in pixels at 96 DPI (33 x 41 for squares, pieces and magnets,
// 34 x 41 for background tiles, 139 x 39 for the title); an invalid size for unknown codes.
QSize pictureSize(int code);

// Renders the picture of a code at a device pixel ratio: the image has pictureSize(code) * ratio
// pixels and carries that ratio. Every pixel is opaque. A null image for codes without a picture
// and for a ratio that is not positive.
QImage renderPicture(int code, qreal devicePixelRatio);

// Every code that has a picture: the empty square, both sides' pieces (promoted forms included),
// the prince, the four magnets, the title and the five background tiles.
const std::vector<int>& pictureCodes();

// A short ASCII name for a code ("lower-pawn", "magnet-up", "background-tatami", ...), used for
// file names; empty for codes without a picture.
QString pictureName(int code);

// The pictures of the game at one device pixel ratio, each rendered the first time it is asked
// for and kept: the promoted pieces and the backgrounds not chosen are never rendered at all.
// At ratio 1 a picture found among `ready` is used as it stands, without a copy.
class PictureSet {
  public:
    explicit PictureSet(qreal devicePixelRatio, std::span<const ReadyPicture> ready = {});
    // nullptr for a code without a picture. The image stays valid as long as the set.
    const QImage* find(int code) const;
    qreal devicePixelRatio() const { return ratio_; }

  private:
    qreal ratio_;
    std::span<const ReadyPicture> ready_;
    mutable std::map<int, QImage> images_;
};

}
