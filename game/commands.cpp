// The commands of the 対局 and 局面 menus, the Esc key and the end of the program.

#include "game/game.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

constexpr int KEY_ESCAPE = 27;
const std::string kTitleNone = " ";
const std::string kTitleTakeOver = QT_TRANSLATE_NOOP("Game", "対局");
const std::string kSenteToMove = QT_TRANSLATE_NOOP("Game", "先手の番です");
const std::string kGoteToMove = QT_TRANSLATE_NOOP("Game", "後手の番です");
const std::string kManToMove = QT_TRANSLATE_NOOP("Game", "MANの番です");

}

void Game::onStart() {
    noteCommand(GameCommand::Start);
    if (gameEnded(s_)) {
        初期設定();
        platform_.refresh();
    }
    描画_棋譜読込み部分消去();
    eraseCells(-2, 0, 0);
    描画_将棋盤桝();
    platform_.refresh();
    s_.clockStart = platform_.timeOfDay();
    if (s_.marks.keika) setTimer(true);
    applyCommand(s_, GameCommand::Start);

    if (s_.turn == SIDE_SENTE) {
        platform_.showMessage(kSenteToMove, kTitleNone, MessageIcon::None);
    } else if (s_.turn == SIDE_GOTE) {
        platform_.showMessage(kGoteToMove, kTitleNone, MessageIcon::None);
    }
}

void Game::onSente() {
    noteCommand(GameCommand::Sente);
    if (gameEnded(s_)) 初期設定();
    描画_棋譜読込み部分消去();
    描画_将棋盤桝();
    platform_.refresh();
    const bool fresh = startsAfresh(s_);
    applyCommand(s_, GameCommand::Sente);
    s_.clockStart = platform_.timeOfDay();
    setTimer(true);

    if (fresh) {
        platform_.showMessage(kManToMove, kTitleNone, MessageIcon::None);
    } else if (seats().local(s_.turn)) {
        // The human keeps the lower pieces and the move; only the labels change.
        platform_.showMessage(kManToMove, kTitleTakeOver, MessageIcon::None);
    } else {
        com_ban();
    }
}

void Game::onGote() {
    noteCommand(GameCommand::Gote);
    if (gameEnded(s_)) 初期設定();
    描画_棋譜読込み部分消去();
    描画_将棋盤桝();
    platform_.refresh();
    setTimer(true);
    applyCommand(s_, GameCommand::Gote);

    if (seats().of(s_.turn) == Mover::Computer) {
        com_ban();
    } else {
        platform_.showMessage(kManToMove, kTitleTakeOver, MessageIcon::None);
    }
}

void Game::onCancel() {
    leaveShownPosition();
    初期設定();
    platform_.dsPlay(s_.soundPiece);
}

void Game::onQuit() {
    // Closing the window after 終わり or Esc arrives here again; the sounds are freed once.
    if (ended_) return;
    ended_ = true;
    終了処理();
    platform_.quit();
}

void Game::onKey(int characterCode) {
    if (characterCode == KEY_ESCAPE) onQuit();
}

}
