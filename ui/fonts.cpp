#include "ui/fonts.h"

#include <QApplication>

#include "ui/geometry.h"

namespace quorvel {

void installFonts() {
    QFont::insertSubstitution(QString::fromUtf8(boardFontFamily), QString::fromUtf8(boardFontFace));
    QFont font = QApplication::font();
    font.setFamilies({QString::fromUtf8(interfaceFontFace)});
    QApplication::setFont(font);
}

QFont boardFont(int pointSize) {
    QFont font(QString::fromUtf8(boardFontFamily));
    font.setBold(true);
    font.setPixelSize(std::max(1, geometry::pointToPixelSize(pointSize)));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}
