// The 言語 / Language items: the language of the window's texts, saved with the options.

#include "game/game.h"

namespace quorvel {

void Game::applyLanguage(Language language) {
    s_.language = language;
    setMark(MenuItem::NIHONGO, language == Language::Japanese);
    setMark(MenuItem::ENGLISH, language == Language::English);
    platform_.setLanguage(language);
}

void Game::onLanguage(Language language) {
    applyLanguage(language);
    書込_環境設定ファイル();
    // The panels beside the board carry texts too: draw them again in the new language. The
    // move number is shown once the first move is made.
    画面_再描画();
    if (s_.moveNumber > 0) 描画_手数(s_.moveNumber, textColour);
    platform_.refresh();
}

}
