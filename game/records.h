#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "game/history.h"
#include "game/network_game.h"
#include "game/platform.h"
#include "game/position.h"

namespace quorvel {

struct GameState;

// What the records ask of the game they belong to. The records read the game's state and change
// it only through these.
struct RecordsLink {
    // Puts a position on the board and redraws the whole window with it.
    std::function<void(const GamePosition&)> showPosition;
    // The running turn's clock started at this time of day.
    std::function<void(double clockStart)> startClock;
    std::function<void(bool enabled)> setTimer;
    std::function<void(Level level)> setLevel;
    // The computer plays its turn now.
    std::function<void()> computerTurn;
};

// The game's records: the record of the game on the board (or of a record opened), the game in
// progress on file with the 続きから it enables, the position shown while stepping through a
// record, taking moves back, and opening and saving record files.
//
// It keeps these true between calls: the record replays to the game on the board, or to the
// position shown while stepping; the game in progress on file is the record as of its last move
// (and the running turn's last whole second), written once per move; 続きから is enabled exactly
// when that file holds an unfinished game; a failed write is told once until a write succeeds.
class Records {
  public:
    Records(Platform& platform, const GameState& state, RecordsLink link);

    // At start-up: enables 続きから when the game in progress on file is unfinished.
    void onLoad();
    // A game command is about to act: plays on from a shown earlier position, then starts a new
    // record (and returns true: a new game begins) or notes the mode switch for the next move.
    bool noteCommand(GameCommand command);
    // A move is complete (its slide is over, its number counted): it is recorded with its own
    // whole seconds and the mover's total after it, and the game in progress is written once.
    // Past RECORD_MAX_MOVES the record stops growing, and the player is told once.
    void noteMove(Direction direction, int seconds, int totalSeconds);
    // The running turn has run this many whole seconds: the game in progress on file keeps them,
    // so 続きから loses at most the last second of the turn.
    void noteRunningTurn(int seconds);
    // A press while an earlier position is shown is refused as before a game; true then.
    bool refuseWhileStepping();
    // The first position replaces a position shown while stepping: no game plays on from it.
    void leaveShownPosition();

    // A network game begins: a new record naming its players, its id and its 千日手 rule.
    void beginNetworkGame(const NetworkGameSetup& setup);
    // The side gave the game up after the last move: the record says so and is written.
    void noteResign(int side);
    // The board leaves the record's game (a puzzle is put on it): no move is recorded until a
    // game command begins a new record; the game in progress on file stays as it was.
    void leaveGame();

    void resume();    // 対局 → 続きから
    void takeBack();  // 局面 → 待った
    // The moves that remain when 待った takes the game on the board back: to the previous turn of
    // the player at this machine, or one move between two humans; nothing when it cannot.
    std::optional<std::size_t> takeBackKeep() const;
    // Takes the game on the board back so that `keep` of its moves remain, both clocks with it;
    // false, changing nothing, when the record does not follow the game or has no more moves.
    bool takeBackTo(std::size_t keep);
    void open();  // 棋譜 → 開く…
    void save();  // 棋譜 → 保存…
    void stepFirst();
    void stepBack();
    void stepForward();
    void stepLast();
    // Shows the position after `target` moves of the record, as the steps above do.
    void stepTo(std::size_t target);

    const GameHistory& history() const { return history_; }

  private:
    // A game is on the board that opening a record would replace.
    bool gameInProgress() const;
    // The record follows the game on the board: a game command began it, it has every move of
    // the game, and no earlier position is shown.
    bool followsGame() const;
    void beginRecord(GameCommand command);
    void writeGameInProgress();
    void updateResume();
    void refuse();
    void showReadError(const RecordError& error);
    void showWriteError(const std::string& what, const RecordWriteError& error);

    Platform& platform_;
    const GameState& state_;
    RecordsLink link_;
    GameHistory history_;
    // The last write of the game in progress failed and the player has been told.
    bool writeFailing_ = false;
};

}
