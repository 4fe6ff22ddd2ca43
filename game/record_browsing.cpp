// The 棋譜 menu: opening and saving records, and stepping through the record or the current
// game position by position.

#include "game/game.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

const std::string kRecordTitle = QT_TRANSLATE_NOOP("Game", "棋譜");
const std::string kUnreadable = QT_TRANSLATE_NOOP("Game", "棋譜を読めません");
const std::string kLineNumber = QT_TRANSLATE_NOOP("Game", "%1行目");
const std::string kUnsaved = QT_TRANSLATE_NOOP("Game", "棋譜を保存できませんでした");

}

void Game::showRecordError(const RecordError& error) {
    std::string text = kUnreadable;
    if (error.line > 0) {
        std::string line = kLineNumber;
        line.replace(line.find("%1"), 2, std::to_string(error.line));
        text += "\r" + line;
    }
    if (!error.message.empty()) text += "\r" + error.message;
    platform_.showMessage(text, kRecordTitle, MessageIcon::Warning);
}

void Game::onOpenRecord() {
    const auto file = platform_.chooseRecordFile(FileChoice::Open);
    if (!file) return;
    const auto read = platform_.readRecord(*file);
    if (const auto* error = std::get_if<RecordError>(&read)) return showRecordError(*error);
    const GameRecord& record = std::get<GameRecord>(read);
    const auto replay = replayRecord(record);
    if (const auto* error = std::get_if<RecordError>(&replay)) return showRecordError(*error);

    // The record's last position is shown; a game command plays on from any of its positions.
    setTimer(false);
    history_ = GameHistory{};
    history_.record = record;
    history_.last = std::get<std::vector<GamePosition>>(replay).back();
    history_.shown = record.moves.size();
    adoptPosition(history_.last);
}

void Game::onSaveRecord() {
    if (history_.record.startedAt.empty() && !history_.shown) return refuse();
    const auto file = platform_.chooseRecordFile(FileChoice::Save);
    if (!file) return;
    GameRecord record = history_.record;
    record.result = resultOf(history_.last, record.command);
    if (!platform_.writeRecord(*file, record))
        platform_.showMessage(kUnsaved, kRecordTitle, MessageIcon::Warning);
}

void Game::onStepFirst() {
    stepTo(0);
}

void Game::onStepBack() {
    const std::size_t current = history_.shown.value_or(history_.record.moves.size());
    if (current == 0) return refuse();
    stepTo(current - 1);
}

void Game::onStepForward() {
    stepTo(history_.shown.value_or(history_.record.moves.size()) + 1);
}

void Game::onStepLast() {
    stepTo(history_.record.moves.size());
}

void Game::stepTo(std::size_t target) {
    const std::size_t count = history_.record.moves.size();
    const std::size_t current = history_.shown.value_or(count);
    if (target > count || target == current) return refuse();
    const auto replay = replayRecord(history_.record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return refuse();

    if (!history_.shown) {
        history_.live = GameHistory::Live{currentPosition(), s_.clockStart, s_.timerEnabled};
        setTimer(false);
    }
    if (target == count && history_.live) {
        const GameHistory::Live live = *history_.live;
        history_.shown.reset();
        history_.live.reset();
        adoptPosition(live.position);
        s_.clockStart = live.clockStart;
        setTimer(live.timerEnabled);
        return;
    }
    history_.shown = target;
    adoptPosition((*positions)[target]);
}

void Game::leaveShownPosition() {
    history_.shown.reset();
    history_.live.reset();
}

bool Game::refuseWhileStepping() {
    if (!history_.shown) return false;
    platform_.dsPlay(s_.soundForbidden);
    platform_.showMessage("「対局」で始めて下さい", "開始", MessageIcon::None);
    return true;
}

}
