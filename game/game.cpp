#include "game/game.h"

#include "ai/survey.h"

namespace quorvel {

Game::Game(Platform& platform) : platform_(platform) {}

void Game::onLoad() {
    platform_.初期化_サウンド();
    s_.soundOther = platform_.読込_WAVファイル("その他.wav", SOUND_FLAGS_EFFECT);
    s_.soundForbidden = platform_.読込_WAVファイル("禁止.wav", SOUND_FLAGS_EFFECT);
    s_.soundPiece = platform_.読込_WAVファイル("駒打音.wav", SOUND_FLAGS_EFFECT);
    s_.soundMagnet = platform_.読込_WAVファイル("磁石音.wav", SOUND_FLAGS_EFFECT);
    s_.soundBgm = platform_.読込_WAVファイル("BGM.wav", SOUND_FLAGS_MUSIC);

    s_.sides = Sides{SIDE_GOTE, SIDE_SENTE};
    // The menu starts with 畳 checked; the picture in use agrees with the mark from the start.
    チェック設定(BACKGROUND_TATAMI);
    s_.backgroundPicture = BACKGROUND_TATAMI;

    読込_環境設定ファイル();
    初期設定();
    updateResume();
}

void Game::初期設定() {
    s_.turn = SIDE_NONE;
    s_.gameOver = SIDE_NONE;
    s_.drawn = false;
    s_.gameMode = MODE_MAN;
    s_.moveNumber = 0;
    s_.manSeconds = 0;
    s_.comSeconds = 0;
    s_.shownSecond = 0;
    setTimer(false);

    s_.princeX = FIRST_PRINCE_SQUARE.x;
    s_.princeY = FIRST_PRINCE_SQUARE.y;
    layFirstPosition(s_.board);
    画面_再描画();
}

void Game::勢力調査() {
    quorvel::勢力調査(s_.board, s_.kings);
}

void Game::終了処理() {
    platform_.dsFree(s_.soundOther);
    platform_.dsFree(s_.soundForbidden);
    platform_.dsFree(s_.soundPiece);
    platform_.dsFree(s_.soundMagnet);
    platform_.dsFree(s_.soundBgm);
    platform_.終了_サウンド();
}

void Game::待ち時間(double IN_秒) {
    platform_.pause(IN_秒);
}

void Game::setTimer(bool enabled) {
    s_.timerEnabled = enabled;
    platform_.setTimerEnabled(enabled);
}

void Game::setMark(MenuItem item, bool checked) {
    switch (item) {
        case MenuItem::SIDOU:
            s_.marks.sidou = checked;
            break;
        case MenuItem::KEIKA:
            s_.marks.keika = checked;
            break;
        case MenuItem::BGM:
            s_.marks.bgm = checked;
            break;
        case MenuItem::SENNICHITE:
            s_.marks.repetitionDraw = checked;
            break;
        default:
            break;
    }
    platform_.setChecked(item, checked);
}

}
