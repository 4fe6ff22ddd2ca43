#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ai/engine.h"
#include "game/history.h"
#include "game/magnets.h"
#include "game/movers.h"
#include "game/network_game.h"
#include "game/option_lines.h"
#include "game/platform.h"
#include "game/position.h"
#include "game/puzzle_play.h"
#include "game/records.h"
#include "game/remote_peer.h"
#include "rules/board.h"
#include "rules/check.h"
#include "rules/level.h"

namespace quorvel {

// Picture codes besides the pieces and magnets.
inline constexpr int PICTURE_LOGO = 1;
inline constexpr int BACKGROUND_MIDORI = 2;
inline constexpr int BACKGROUND_TATAMI = 3;
inline constexpr int BACKGROUND_TAKE = 4;
inline constexpr int BACKGROUND_UCHU = 5;
inline constexpr int BACKGROUND_RENGA = 6;

// Colour indices of the 16-colour palette.
inline constexpr int gridColour = 2;
inline constexpr int shadowColour = 0;
inline constexpr int textColour = 15;
inline constexpr int winOutlineColour = 12;
inline constexpr int windowBackgroundColour = 2;

// Pause between the steps of the animated slide: about one display frame, so every step is seen.
inline constexpr double GRAVITY_STEP_SECONDS = 1.0 / 64;
inline constexpr double BLINK_PHASE_SECONDS = 0.2;
inline constexpr double COMPUTER_MOVE_PAUSE_SECONDS = 0.5;

// Load flags of the sound buffers.
inline constexpr int SOUND_FLAGS_EFFECT = 3;
inline constexpr int SOUND_FLAGS_MUSIC = 1;

// The 強さ item of the menu that names a level.
MenuItem levelItem(Level level);

// The menu's option check marks; the game keeps them and mirrors every change to the menu.
struct OptionMarks {
    int background = BACKGROUND_TATAMI;  // the checked background item's code, 0 for none
    bool sidou = false;
    bool keika = false;
    bool bgm = false;
    // 千日手: the games begun from now on end without a winner on a fourth repetition.
    bool repetitionDraw = false;
};

// All state of a run, from window load to program end: the game's position (board, prince,
// kings, sides, turn, winner, mode, move number and clock totals) and the rest.
struct GameState : GamePosition {
    Board savedBoard;

    double clockStart = 0;
    double turnSeconds = 0;
    int shownSecond = 0;
    bool timerEnabled = false;

    int backgroundPicture = BACKGROUND_TATAMI;
    OptionMarks marks;
    // The computer's strength, kept in the settings file's option lines.
    Level level = Level::入門;
    // The language of the window's texts, kept in the option lines like the level.
    Language language = Language::Japanese;
    // The settings file's lines after the four option lines, as last read or written.
    std::vector<std::string> optionLines;
    // The puzzle on the board while gameMode is MODE_PUZZLE.
    PuzzleSession puzzle;

    int soundOther = 0;
    int soundForbidden = 0;
    int soundPiece = 0;
    int soundMagnet = 0;
    int soundBgm = 0;
};

// The one game object: owns the state and runs every operation of a turn. It reaches the screen,
// dialogs, menu marks, timer, clock, waits, sound and the settings file only through Platform.
class Game {
  public:
    explicit Game(Platform& platform);

    // Window events.
    void onLoad();
    void onStart();   // 対局(人間) → スタート
    void onSente();   // 対局(COM) → 先手
    void onGote();    // 対局(COM) → 後手
    void onCancel();  // 局面 → 最初
    void onQuit();    // 終わり, Esc, closing the window
    void onKey(int characterCode);
    void onMousePress(double unitsX, double unitsY);
    void onTimerTick();
    // How long the window may wait before the next tick that would change something (a new
    // whole second of the running turn): 0 when one is due now; nothing while no tick can
    // change anything (Timer1 disabled, or the game won).
    std::optional<int> msUntilClockChanges();
    void onBackgroundItem(int backgroundCode);
    void onKeika();
    void onBgm();
    void onSidou();
    void onVersion();
    void onLevel(Level level);  // ｵﾌﾟｼｮﾝ → 強さ → 入門, 初級, 中級, 上級
    void onHint();              // 局面 → ヒント
    void onLanguage(Language language);  // ｵﾌﾟｼｮﾝ → 言語 / Language → 日本語, English
    void onRepetitionDraw();             // ｵﾌﾟｼｮﾝ → 千日手
    void onResume();                     // 対局 → 続きから
    void onTakeBack();                   // 局面 → 待った
    void onOpenRecord();                 // 棋譜 → 開く…
    void onSaveRecord();                 // 棋譜 → 保存…
    void onStepFirst();                  // 棋譜 → 先頭
    void onStepBack();                   // 棋譜 → 前へ
    void onStepForward();                // 棋譜 → 次へ
    void onStepLast();                   // 棋譜 → 最後
    // 局面 → 投了: the side to move gives the game up and the other side's win is shown; in a
    // network game this machine's player resigns, on either side's turn, and the friend is told.
    void onResign();

    // Play against a friend over the network. The network side implements RemotePeer and calls
    // the operations below; the game tells the peer of this machine's moves, resignation and
    // take-back requests. A null peer tells nobody.
    void setRemotePeer(RemotePeer* peer);
    // Starts a fresh network game as 対局 does (first position, panels, clocks, whose turn it
    // is), this machine's player on the lower pieces, recorded as 対局(ネット).
    void startNetworkGame(const NetworkGameSetup& setup);
    // The friend pressed the magnet pulling toward `direction`: when the friend is to move in a
    // network game in play it is played as a press here plays it, and true is returned;
    // otherwise nothing changes and false is returned.
    bool onRemoteMove(Direction direction);
    // The friend resigned: this machine's player wins.
    void onRemoteResign();
    // The friend asks for 待った so that `keep` moves remain: this machine's player is asked, and
    // on yes the game goes back. Returns the answer; false without asking when it cannot be done.
    bool onRemoteTakeBackRequest(int keep);
    // The friend answered this machine's 待った: on yes the game goes back to `keep` moves (the
    // number asked for), on no the player is told.
    void onTakeBackAnswer(bool agreed, int keep);
    // The friend's connection went away or came back; the game stays as it is meanwhile.
    void onFriendLeft();
    void onFriendBack();
    // The setup of the network game on the board (played, or put back by 続きから), for the
    // network side to rejoin the friend; nothing for any other game or none.
    std::optional<NetworkGameSetup> networkGame() const;
    // 棋譜 → 解析: a click on the graph shows the position after `moves` moves of the record.
    void onStepTo(std::size_t moves);
    void onPuzzle();  // 練習 → 詰め問題…

    const GameState& state() const { return s_; }
    // For tests and tools that need to set up a position directly.
    GameState& mutableState() { return s_; }
    const GameHistory& history() const { return records_.history(); }
    // Who moves each side of the game on the board.
    Seats seats() const {
        return s_.gameMode == MODE_PUZZLE ? puzzleSeats(s_.sides, s_.puzzle.solver)
                                          : seatsOf(s_.gameMode, s_.sides);
    }

    // Picture of the game (drawing operations over the game state).
    void 描画_絵(int 駒種類, double 座標X, double 座標Y);
    void 描画_桝輪郭(int 描画色, double 座標X, double 座標Y);
    void 描画_盤();
    void 描画_将棋盤桝();
    void 描画_背景(int IN_背景種類);
    void 画面_再描画();
    void 描画_駒点滅(int 入力_駒, double 入力_X, double 入力_Y, int 入力_点滅回数, int I_背景,
                     int I_輪郭色);
    void 描画_数値(double 入力X, double 入力Y, const std::string& 数値, int 色, int モード,
                   int フォントサイズ);
    void 描画_数値(double 入力X, double 入力Y, int 数値, int 色, int モード, int フォントサイズ);
    // The label follows the number 手数 and agrees with it where the language inflects it.
    void 描画_文字列(double 入力X, double 入力Y, int 数値, int 色, int サイズ, int 手数);
    void 描画_手数(int 数値, int 色);
    void 描画_所有時間(int IN_手番, double IN_思考時間);
    void 消去_所有時間(int IN_手番);
    void 描画_棋譜読込み部分消去();

    // Turn operations.
    void 初期設定();
    void 移動_太子(int 元_X, int 元_Y, int 先_X, int 先_Y);
    void 駒移動(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);
    void 重力処理(const std::string& I_方向);
    void 勢力調査();
    void com_ban();
    void 終了処理();
    void 待ち時間(double IN_秒);

    // Options and settings.
    void チェック設定(int IN_背景種類);
    void 読込_環境設定ファイル();
    void 書込_環境設定ファイル();

  private:
    // Plays the magnet's move for the side to move: the prince's step, the blink, the slide, the
    // count, the win tests and the hand-over. Presses here and the friend's moves both come here.
    void playMove(const Magnet& magnet);
    // The side gives the game up: clocks stop, the win is shown and recorded.
    void resignSide(int side);
    // 待った in a network game: asks the friend instead of taking back at once.
    void askFriendTakeBack();
    // A press or command that needs a game in play when there is none (no game yet, or a game
    // that has been won): answers as a press on the board does then and returns true.
    bool refusedWithoutPlay();
    // Checks exactly the item of the current level.
    void markLevel();
    // The magnet the level presses for the side to move, knowing the positions of the game
    // before this one (computerChoice).
    Direction chosenMagnet(Level level) const;
    // Tests the sides in the win order of the game after a move of mover and shows the first
    // win found; true when the game is won.
    bool showWinAfterMove(int mover);
    // After a move that won nothing: when the game's record ends as 千日手 at this move, the game
    // ends without a winner (clocks stopped, box and panel say so); true then.
    bool showDrawAfterMove();
    // Prints that the game ended as 千日手 under the move-number panel.
    void drawRepetitionLabel();
    // The message that announces a side's win, as the seats of the game see it.
    std::string winMessage(int winner) const;
    // Records the winner and shows the win: outlines, blinks, sound and message.
    void showWin(int winner, const std::string& message, int attackerX, int attackerY, int kingX,
                 int kingY);
    // Prints a text twice: in shadowColour 0.1 cell right and down, then in textColour.
    void drawShadowedText(double textX, double textY, const std::string& text, int size);
    // Draws background tiles over cells (fromX..toX, y), erasing what was there.
    void eraseCells(int fromX, int toX, int y);
    void setTimer(bool enabled);
    void setMark(MenuItem item, bool checked);
    // Seconds since the running turn's clock started, measured now.
    double elapsedTurnSeconds();
    void applySettingsLine(std::size_t index, const std::string& line);
    void recoverSettings();
    // Takes every option of the settings file's option lines, the default for any it lacks.
    void applyOptionLines();
    // Marks the language's item, unmarks the other and tells the window.
    void applyLanguage(Language language);
    // The options kept in the option lines, with their current values.
    std::vector<OptionValue> optionValues() const;

    // The records' side of a move and a command (record_keeping.cpp, clocks.cpp).
    // A game command is about to act.
    void noteCommand(GameCommand command);
    // A move is complete, its slide over and its number counted: the turn's time is measured
    // once, in whole seconds, added to the mover's total and shown, and the move is recorded.
    void noteMove(Direction direction);
    bool refuseWhileStepping();
    void leaveShownPosition();
    void updateResume();
    // A puzzle on the board (puzzle_play.cpp). The solver's move is made and surveyed: the win,
    // the failure, or the defender's answer follows.
    void puzzleMoveMade();
    void defendPuzzle();
    void failPuzzle();
    // 待った in a puzzle: back to before the solver's last move; false when no puzzle is played.
    bool puzzleTakeBack();
    // The magnet that still wins within the puzzle's moves left.
    std::optional<Direction> puzzleHint() const;
    // The side to move, the moves to the win (or the failure) and the puzzles solved.
    void drawPuzzlePanel();
    // How the records reach back into the game.
    RecordsLink recordsLink();
    // Puts a position on the board and redraws the whole window with its move number and, for a
    // won game, the outlines of the attacker and the attacked king.
    void adoptPosition(const GamePosition& position);

    Platform& platform_;
    GameState s_;
    Records records_{platform_, s_, recordsLink()};
    bool ended_ = false;
    RemotePeer* peer_ = nullptr;
    // The moves that remain by this machine's 待った that waits for the friend's answer.
    std::optional<std::size_t> askedKeep_;
};

}
