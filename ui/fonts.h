#pragma once

#include <QFont>

namespace quorvel {

// The family the board texts ask for; a substitution maps it to an installed Mincho face.
inline constexpr const char* boardFontFamily = "ＭＳ Ｐ明朝";
inline constexpr const char* boardFontFace = "IPAPMincho";
// Menus and message boxes: a Gothic face that has every kana and kanji glyph they use.
inline constexpr const char* interfaceFontFace = "IPAPGothic";

// Registers the board font's substitution and makes the interface face the application font.
// Call once after the QApplication exists.
void installFonts();

// The board text font: bold, antialiased, its pixel size taken from the point size at 96 DPI so
// the layout does not depend on the display's DPI setting.
QFont boardFont(int pointSize);

}
