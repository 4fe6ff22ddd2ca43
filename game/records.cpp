// The move history of the game on the board: a new record for each game, every move and mode
// switch noted as it happens, the game in progress written to its file once per move, the
// resumption of that game, and taking moves back.

#include "game/records.h"

#include <utility>

#include "game/clock_text.h"
#include "game/game.h"
#include "game/movers.h"
#include "game/repetition.h"
#include "game/resign.h"
#include "rules/translatable.h"
#include "storage/record_rules.h"

namespace quorvel {

namespace {

const std::string kRecordTitle = QT_TRANSLATE_NOOP("Game", "棋譜");
const std::string kRecordFull =
    QT_TRANSLATE_NOOP("Game", "棋譜は10,000手までです。この後の指し手は棋譜に残りません");
const std::string kNotWritten = QT_TRANSLATE_NOOP("Game", "対局中の棋譜を書き込めません");

// The time of day a turn that has run `seconds` started at.
double startedAgo(double now, int seconds) {
    const double start = now - seconds;
    return start < 0 ? start + SECONDS_PER_DAY : start;
}

}

std::pair<std::string, std::string> playerNames(GameCommand command) {
    switch (command) {
        case GameCommand::Sente:
            return {"あなた", "ｺﾝﾋﾟｭｰﾀ"};
        case GameCommand::Gote:
            return {"ｺﾝﾋﾟｭｰﾀ", "あなた"};
        case GameCommand::Start:
        case GameCommand::NetSente:
        case GameCommand::NetGote:
            break;
    }
    return {"先手", "後手"};
}

Records::Records(Platform& platform, const GameState& state, RecordsLink link)
    : platform_(platform), state_(state), link_(std::move(link)) {}

void Records::onLoad() {
    updateResume();
}

bool Records::followsGame() const {
    return !history_.record.startedAt.empty() && !history_.shown &&
           history_.last.moveNumber == state_.moveNumber;
}

void Records::beginRecord(GameCommand command) {
    const auto [sente, gote] = playerNames(command);
    history_ = GameHistory{};
    history_.record.startedAt = platform_.dateTimeText();
    history_.record.command = command;
    history_.record.level = state_.level;
    history_.record.repetitionDraw = state_.marks.repetitionDraw;
    history_.record.sentePlayer = sente;
    history_.record.gotePlayer = gote;
    history_.last = startPosition(command, history_.record.repetitionDraw);
}

bool Records::noteCommand(GameCommand command) {
    if (history_.shown) {
        // Play on from the position shown: the later moves are dropped.
        const auto replay = replayRecord(history_.record);
        if (const auto* positions = std::get_if<std::vector<GamePosition>>(&replay)) {
            const std::size_t index = *history_.shown;
            history_.record.moves.resize(index);
            history_.record.runningSeconds.reset();
            history_.record.resignedBy = SIDE_NONE;
            history_.last = (*positions)[index];
            link_.showPosition(history_.last);
            link_.startClock(platform_.timeOfDay());
        }
        history_.shown.reset();
        history_.live.reset();
    }
    if (gameEnded(state_) || state_.moveNumber == 0 || state_.turn == SIDE_NONE) {
        beginRecord(command);
        return true;
    }
    history_.pendingSwitch = command;
    return false;
}

void Records::noteMove(Direction direction, int seconds, int totalSeconds) {
    // A board set up by hand, or a game past the record's end, is no game the record follows.
    if (history_.record.startedAt.empty() || history_.shown ||
        history_.last.moveNumber + 1 != state_.moveNumber) {
        return;
    }
    if (history_.record.moves.size() >= RECORD_MAX_MOVES) {
        // Marked before the box: the window keeps ticking while a box is open.
        if (!std::exchange(history_.toldFull, true))
            platform_.showMessage(kRecordFull, kRecordTitle, MessageIcon::None);
        return;
    }
    const RecordedMove move{direction, seconds, totalSeconds, history_.pendingSwitch, 0};
    GamePosition next = history_.last;
    if (applyMove(next, move)) return;
    if (next.repetitionDraw && next.gameOver == SIDE_NONE) {
        const auto replay = replayRecord(history_.record);
        if (const auto* positions = std::get_if<std::vector<GamePosition>>(&replay))
            next.drawn = endsInRepetition(*positions, next);
    }
    history_.pendingSwitch.reset();
    history_.record.moves.push_back(move);
    history_.record.runningSeconds.reset();
    history_.last = next;
    writeGameInProgress();
}

void Records::noteRunningTurn(int seconds) {
    if (!followsGame() || history_.record.moves.empty() || gameEnded(history_.last) ||
        history_.record.runningSeconds == seconds) {
        return;
    }
    history_.record.runningSeconds = seconds;
    writeGameInProgress();
}

void Records::writeGameInProgress() {
    history_.record.result = resultOf(history_.last, history_.record.command);
    if (const auto error = platform_.writeGameInProgress(history_.record)) {
        // Marked before the box: the window keeps ticking, and so writing, while a box is open.
        if (!std::exchange(writeFailing_, true)) showWriteError(kNotWritten, *error);
        updateResume();
        return;
    }
    writeFailing_ = false;
    platform_.setEnabled(MenuCommand::Resume, !gameEnded(history_.last));
}

void Records::updateResume() {
    bool unfinished = false;
    const auto read = platform_.readGameInProgress();
    if (const auto* record = std::get_if<GameRecord>(&read)) {
        const auto replay = replayRecord(*record);
        const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
        unfinished = positions != nullptr && !gameEnded(positions->back());
    }
    platform_.setEnabled(MenuCommand::Resume, unfinished);
}

void Records::leaveGame() {
    history_ = GameHistory{};
}

void Records::resume() {
    const auto read = platform_.readGameInProgress();
    if (const auto* error = std::get_if<RecordError>(&read)) {
        showReadError(*error);
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    const GameRecord& record = std::get<GameRecord>(read);
    const auto replay = replayRecord(record);
    if (const auto* error = std::get_if<RecordError>(&replay)) {
        showReadError(*error);
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    const GamePosition& last = std::get<std::vector<GamePosition>>(replay).back();
    if (gameEnded(last)) {
        refuse();
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    history_ = GameHistory{};
    history_.record = record;
    history_.record.runningSeconds.reset();
    history_.last = last;
    if (state_.level != record.level) link_.setLevel(record.level);
    link_.showPosition(last);
    // The turn in progress goes on from the time it had run when the file was last written.
    link_.startClock(startedAgo(platform_.timeOfDay(), record.runningSeconds.value_or(0)));
    link_.setTimer(last.gameMode == MODE_COM || state_.marks.keika);
    if (seatsOf(last.gameMode, last.sides).of(last.turn) == Mover::Computer) link_.computerTurn();
}

void Records::takeBack() {
    const auto keep = takeBackKeep();
    if (!keep || !takeBackTo(*keep)) refuse();
}

std::optional<std::size_t> Records::takeBackKeep() const {
    const auto& moves = history_.record.moves;
    if (!followsGame() || state_.turn == SIDE_NONE || moves.empty()) return std::nullopt;
    const auto replay = replayRecord(history_.record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return std::nullopt;

    // Two humans take back one move; otherwise, back to the last turn of this machine's player.
    std::size_t index = moves.size() - 1;
    if (!seatsOf(state_.gameMode, state_.sides).bothLocal()) {
        while (!humanToMove(positionBeforeMove(*positions, history_.record, index))) {
            if (index == 0) return std::nullopt;
            --index;
        }
    }
    return index;
}

bool Records::takeBackTo(std::size_t index) {
    auto& moves = history_.record.moves;
    if (!followsGame() || state_.turn == SIDE_NONE || index >= moves.size()) return false;
    const auto replay = replayRecord(history_.record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return false;

    GamePosition back = positionBeforeMove(*positions, history_.record, index);
    std::optional<GameCommand> pending = moves[index].switchedTo;
    if (seatsOf(back.gameMode, back.sides).of(back.turn) == Mover::Computer) {
        // The computer's move taken back in a game now between two humans: they play on.
        back = (*positions)[index];
        applyCommand(back, GameCommand::Start);
        pending = GameCommand::Start;
    }
    // Both clocks go back with the board: the position holds the totals before the moves.
    moves.resize(index);
    history_.record.runningSeconds.reset();
    history_.record.resignedBy = SIDE_NONE;
    history_.last = (*positions)[index];
    history_.pendingSwitch = pending;
    link_.showPosition(back);
    link_.startClock(platform_.timeOfDay());
    link_.setTimer(back.gameMode == MODE_COM || state_.marks.keika);
    writeGameInProgress();
    return true;
}

void Records::beginNetworkGame(const NetworkGameSetup& setup) {
    const GameCommand command = networkCommand(setup.localSide);
    history_.shown.reset();
    history_.live.reset();
    beginRecord(command);
    nameNetworkGame(history_.record, setup);
    history_.last.repetitionDraw = setup.repetitionDraw;
}

void Records::noteResign(int side) {
    if (!followsGame()) return;
    history_.record.resignedBy = side;
    history_.record.runningSeconds.reset();
    resign(history_.last, side);
    writeGameInProgress();
}

void Records::refuse() {
    platform_.dsPlay(state_.soundForbidden);
}

}
