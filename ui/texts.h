#pragma once

#include <QString>
#include <QTranslator>

#include "game/language.h"

namespace quorvel {

// Contexts of the translation catalogue (i18n/quorvel_en.ts). Every text a player sees is written
// in Japanese in the source, inside QT_TRANSLATE_NOOP(context, text) or
// QCoreApplication::translate(context, text), and shown through the catalogue.
inline constexpr const char* MENU_CONTEXT = "Menu";          // menu captions
inline constexpr const char* GAME_CONTEXT = "Game";          // the game object's boxes and panels
inline constexpr const char* HELP_CONTEXT = "Help";          // the 遊び方 window
inline constexpr const char* ANALYSIS_CONTEXT = "Analysis";  // the 解析 window
// File dialogs' titles and filters, e.g.
//   translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "棋譜ファイル (*.kifu *.kif)"))
// The English of a filter keeps its patterns: "Game records (*.kifu *.kif)".
inline constexpr const char* DIALOG_CONTEXT = "Dialog";
// Play over the network: the connect and invite dialogs, the connection state, the messages.
inline constexpr const char* ONLINE_CONTEXT = "Online";

// A text in the current language: the catalogue's translation, or the text itself.
QString translated(const char* context, const char* text);

// Each line of a text (lines end at CR, LF or CR LF) translated on its own, so a box of several
// game lines needs no catalogue entry for the whole; empty lines stay empty. A line with numbers
// that has no entry of its own is looked up with its numbers as %1, %2, ... ("%1行目").
QString translatedLines(const char* context, const QString& text);

// A text that follows a count, in the form that agrees with the count ("1 move", "2 moves").
QString translatedCount(const char* context, const char* text, int count);

// Installs the catalogues of a language into the application: the game's own (Japanese needs
// none: the sources are Japanese) into `game`, and Qt's own texts (dialog buttons and questions)
// into `qt` from Qt's translations folder (English needs none: Qt's sources are English).
// Returns false when the game's English catalogue cannot be loaded; its texts then stay
// Japanese. Without Qt's Japanese catalogue Qt's texts stay English.
bool installLanguage(QTranslator& game, QTranslator& qt, Language language);

}
