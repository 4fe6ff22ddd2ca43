#include "ui/art/pictures.h"

#include <array>

#include "rules/pieces.h"
#include "ui/art/paint_kit.h"
#include "ui/art/painters.h"

namespace quorvel {

namespace {

struct PictureEntry {
    int code;
    const char* name;
};

constexpr std::array pictureEntries{
    PictureEntry{EMPTY, "empty"},
    PictureEntry{LOWER_PAWN, "lower-pawn"},
    PictureEntry{LOWER_LANCE, "lower-lance"},
    PictureEntry{LOWER_KNIGHT, "lower-knight"},
    PictureEntry{LOWER_SILVER, "lower-silver"},
    PictureEntry{LOWER_GOLD, "lower-gold"},
    PictureEntry{LOWER_BISHOP, "lower-bishop"},
    PictureEntry{LOWER_ROOK, "lower-rook"},
    PictureEntry{LOWER_KING, "lower-king"},
    PictureEntry{UPPER_PAWN, "upper-pawn"},
    PictureEntry{UPPER_LANCE, "upper-lance"},
    PictureEntry{UPPER_KNIGHT, "upper-knight"},
    PictureEntry{UPPER_SILVER, "upper-silver"},
    PictureEntry{UPPER_GOLD, "upper-gold"},
    PictureEntry{UPPER_BISHOP, "upper-bishop"},
    PictureEntry{UPPER_ROOK, "upper-rook"},
    PictureEntry{UPPER_KING, "upper-king"},
    PictureEntry{LOWER_PAWN_PROMOTED, "lower-pawn-promoted"},
    PictureEntry{LOWER_LANCE_PROMOTED, "lower-lance-promoted"},
    PictureEntry{LOWER_KNIGHT_PROMOTED, "lower-knight-promoted"},
    PictureEntry{LOWER_SILVER_PROMOTED, "lower-silver-promoted"},
    PictureEntry{LOWER_BISHOP_PROMOTED, "lower-bishop-promoted"},
    PictureEntry{LOWER_ROOK_PROMOTED, "lower-rook-promoted"},
    PictureEntry{UPPER_PAWN_PROMOTED, "upper-pawn-promoted"},
    PictureEntry{UPPER_LANCE_PROMOTED, "upper-lance-promoted"},
    PictureEntry{UPPER_KNIGHT_PROMOTED, "upper-knight-promoted"},
    PictureEntry{UPPER_SILVER_PROMOTED, "upper-silver-promoted"},
    PictureEntry{UPPER_BISHOP_PROMOTED, "upper-bishop-promoted"},
    PictureEntry{UPPER_ROOK_PROMOTED, "upper-rook-promoted"},
    PictureEntry{PRINCE, "prince"},
    PictureEntry{MAGNET_UP, "magnet-up"},
    PictureEntry{MAGNET_DOWN, "magnet-down"},
    PictureEntry{MAGNET_RIGHT, "magnet-right"},
    PictureEntry{MAGNET_LEFT, "magnet-left"},
    PictureEntry{art::TITLE, "title"},
    PictureEntry{art::BACKGROUND_GREEN, "background-green"},
    PictureEntry{art::BACKGROUND_TATAMI, "background-tatami"},
    PictureEntry{art::BACKGROUND_BAMBOO, "background-bamboo"},
    PictureEntry{art::BACKGROUND_SPACE, "background-space"},
    PictureEntry{art::BACKGROUND_BRICK, "background-brick"},
};

const PictureEntry* entryOf(int code) {
    for (const PictureEntry& entry : pictureEntries) {
        if (entry.code == code) return &entry;
    }
    return nullptr;
}

bool isBackgroundCode(int code) {
    return code >= art::BACKGROUND_GREEN && code <= art::BACKGROUND_BRICK;
}

bool isMagnetCode(int code) {
    return code >= MAGNET_UP && code <= MAGNET_LEFT;
}

}

QSize pictureSize(int code) {
    if (entryOf(code) == nullptr) return {};
    if (code == art::TITLE) return {139, 39};
    if (isBackgroundCode(code)) return {34, 41};
    return {33, 41};
}

QImage renderPicture(int code, qreal devicePixelRatio) {
    const QSize size = pictureSize(code);
    if (!size.isValid() || devicePixelRatio <= 0) return {};
    QImage canvas = art::makeCanvas(size, devicePixelRatio);
    if (code == EMPTY) {
        art::paintEmptySquare(canvas);
    } else if (code == PRINCE) {
        art::paintPrince(canvas);
    } else if (isMagnetCode(code)) {
        art::paintMagnet(canvas, code);
    } else if (code == art::TITLE) {
        art::paintTitle(canvas);
    } else if (isBackgroundCode(code)) {
        art::paintBackground(canvas, code);
    } else {
        art::paintPiece(canvas, code);
    }
    return canvas;
}

const std::vector<int>& pictureCodes() {
    static const std::vector<int> codes = [] {
        std::vector<int> all;
        for (const PictureEntry& entry : pictureEntries)
            all.push_back(entry.code);
        return all;
    }();
    return codes;
}

QString pictureName(int code) {
    const PictureEntry* entry = entryOf(code);
    return entry ? QString::fromLatin1(entry->name) : QString();
}

PictureSet::PictureSet(qreal devicePixelRatio, std::span<const ReadyPicture> ready)
    : ratio_(devicePixelRatio), ready_(ready) {}

const QImage* PictureSet::find(int code) const {
    if (const auto it = images_.find(code); it != images_.end()) return &it->second;
    if (entryOf(code) == nullptr) return nullptr;
    if (ratio_ == 1) {
        for (const ReadyPicture& picture : ready_) {
            if (picture.code != code) continue;
            // The image reads the ready pixels in place; nothing ever paints into it.
            const QImage image(reinterpret_cast<const uchar*>(picture.pixels), picture.width,
                               picture.height, picture.width * 4,
                               QImage::Format_ARGB32_Premultiplied);
            return &images_.emplace(code, image).first->second;
        }
    }
    return &images_.emplace(code, renderPicture(code, ratio_)).first->second;
}

}
