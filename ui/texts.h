#pragma once

#include <QString>
#include <QTranslator>

#include "game/language.h"

namespace quorvel {

// Contexts of the translation catalogue (i18n/quorvel_en.ts). Every text a player sees is written
// in Japanese in the source, inside QT_TRANSLATE_NOOP(context, text) or
// QCoreApplication::translate(context, text), and shown through the catalogue.
inline constexpr const char* MENU_CONTEXT = "Menu";  // menu captions
inline constexpr const char* GAME_CONTEXT = "Game";  // the game object's boxes and panels
inline constexpr const char* HELP_CONTEXT = "Help";  // the 遊び方 window
// File dialogs' titles and filters, e.g.
//   translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "棋譜ファイル (*.kifu *.kif)"))
// The English of a filter keeps its patterns: "Game records (*.kifu *.kif)".
inline constexpr const char* DIALOG_CONTEXT = "Dialog";

// A text in the current language: the catalogue's translation, or the text itself.
QString translated(const char* context, const char* text);

// Each line of a text (lines end at CR, LF or CR LF) translated on its own, so a box of several
// game lines needs no catalogue entry for the whole; empty lines stay empty. A line with numbers
// that has no entry of its own is looked up with its numbers as %1, %2, ... ("%1行目").
QString translatedLines(const char* context, const QString& text);

// Installs the catalogue of a language into the application (Japanese needs none: the sources
// are Japanese). Returns false when the English catalogue cannot be loaded; the texts then stay
// Japanese.
bool installLanguage(QTranslator& translator, Language language);

}
