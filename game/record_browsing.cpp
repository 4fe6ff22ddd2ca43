// The 棋譜 menu: opening and saving records, and stepping through the record or the current
// game position by position.

#include "game/game.h"
#include "game/records.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

const std::string kRecordTitle = QT_TRANSLATE_NOOP("Game", "棋譜");
const std::string kUnreadable = QT_TRANSLATE_NOOP("Game", "棋譜を読めません");
const std::string kLineNumber = QT_TRANSLATE_NOOP("Game", "%1行目");
const std::string kUnsaved = QT_TRANSLATE_NOOP("Game", "棋譜を保存できませんでした");
const std::string kOpenInGame = QT_TRANSLATE_NOOP("Game", "対局中です。棋譜を開きますか？");
const std::string kStartFirst = QT_TRANSLATE_NOOP("Game", "「対局」で始めて下さい");
const std::string kStartTitle = QT_TRANSLATE_NOOP("Game", "開始");

}

void Records::showReadError(const RecordError& error) {
    std::string text = kUnreadable;
    if (error.line > 0) {
        std::string line = kLineNumber;
        line.replace(line.find("%1"), 2, std::to_string(error.line));
        text += "\r" + line;
    }
    if (!error.message.empty()) text += "\r" + error.message;
    platform_.showMessage(text, kRecordTitle, MessageIcon::Warning);
}

void Records::showWriteError(const std::string& what, const RecordWriteError& error) {
    platform_.showMessage(what + "\r" + error.file + "\r" + error.reason, kRecordTitle,
                          MessageIcon::Warning);
}

bool Records::gameInProgress() const {
    if (history_.live) return !gameEnded(history_.live->position);
    return !history_.shown && state_.turn != SIDE_NONE && !gameEnded(state_);
}

void Records::open() {
    if (gameInProgress() && !platform_.askYesNo(kOpenInGame, kRecordTitle)) return;
    const auto file = platform_.chooseRecordFile(FileChoice::Open);
    if (!file) return;
    const auto read = platform_.readRecord(*file);
    if (const auto* error = std::get_if<RecordError>(&read)) return showReadError(*error);
    const GameRecord& record = std::get<GameRecord>(read);
    const auto replay = replayRecord(record);
    if (const auto* error = std::get_if<RecordError>(&replay)) return showReadError(*error);

    // The record's last position is shown as the game left it, a win with its outlines; a game
    // command plays on from any of its positions.
    link_.setTimer(false);
    history_ = GameHistory{};
    history_.record = record;
    history_.record.runningSeconds.reset();
    history_.last = std::get<std::vector<GamePosition>>(replay).back();
    history_.shown = record.moves.size();
    link_.showPosition(history_.last);
}

void Records::save() {
    if (history_.record.startedAt.empty() && !history_.shown) return refuse();
    const auto file = platform_.chooseRecordFile(FileChoice::Save);
    if (!file) return;
    GameRecord record = history_.record;
    record.runningSeconds.reset();
    record.result = resultOf(history_.last, record.command);
    if (const auto error = platform_.writeRecord(*file, record)) showWriteError(kUnsaved, *error);
}

void Records::stepFirst() {
    stepTo(0);
}

void Records::stepBack() {
    const std::size_t current = history_.shown.value_or(history_.record.moves.size());
    if (current == 0) return refuse();
    stepTo(current - 1);
}

void Records::stepForward() {
    stepTo(history_.shown.value_or(history_.record.moves.size()) + 1);
}

void Records::stepLast() {
    stepTo(history_.record.moves.size());
}

void Records::stepTo(std::size_t target) {
    const std::size_t count = history_.record.moves.size();
    const std::size_t current = history_.shown.value_or(count);
    if (target > count || target == current) return refuse();
    const auto replay = replayRecord(history_.record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return refuse();

    if (!history_.shown) {
        history_.live = GameHistory::Live{static_cast<const GamePosition&>(state_),
                                          state_.clockStart, state_.timerEnabled};
        link_.setTimer(false);
    }
    if (target == count && history_.live) {
        const GameHistory::Live live = *history_.live;
        history_.shown.reset();
        history_.live.reset();
        link_.showPosition(live.position);
        link_.startClock(live.clockStart);
        link_.setTimer(live.timerEnabled);
        return;
    }
    history_.shown = target;
    link_.showPosition((*positions)[target]);
}

void Records::leaveShownPosition() {
    history_.shown.reset();
    history_.live.reset();
}

bool Records::refuseWhileStepping() {
    if (!history_.shown) return false;
    platform_.dsPlay(state_.soundForbidden);
    platform_.showMessage(kStartFirst, kStartTitle, MessageIcon::None);
    return true;
}

}
