// The move history of the game on the board: a new record for each game, every move and mode
// switch noted as it happens, the game in progress written to its file after every move, the
// resumption of that game, and taking moves back.

#include <cmath>

#include "game/game.h"

namespace quorvel {

std::pair<std::string, std::string> playerNames(GameCommand command) {
    switch (command) {
        case GameCommand::Sente:
            return {"あなた", "ｺﾝﾋﾟｭｰﾀ"};
        case GameCommand::Gote:
            return {"ｺﾝﾋﾟｭｰﾀ", "あなた"};
        case GameCommand::Start:
            break;
    }
    return {"先手", "後手"};
}

void Game::beginRecord(GameCommand command) {
    const auto [sente, gote] = playerNames(command);
    history_ = GameHistory{};
    history_.record.startedAt = platform_.dateTimeText();
    history_.record.command = command;
    history_.record.level = s_.level;
    history_.record.sentePlayer = sente;
    history_.record.gotePlayer = gote;
    history_.last = startPosition(command);
}

void Game::noteCommand(GameCommand command) {
    if (history_.shown) {
        // Play on from the position shown: the later moves are dropped.
        const auto replay = replayRecord(history_.record);
        if (const auto* positions = std::get_if<std::vector<GamePosition>>(&replay)) {
            const std::size_t index = *history_.shown;
            history_.record.moves.resize(index);
            history_.last = (*positions)[index];
            adoptPosition(history_.last);
            s_.clockStart = platform_.timeOfDay();
        }
        history_.shown.reset();
        history_.live.reset();
    }
    if (s_.gameOver != SIDE_NONE || s_.moveNumber == 0 || s_.turn == SIDE_NONE) {
        beginRecord(command);
    } else {
        history_.pendingSwitch = command;
    }
}

void Game::noteMove(Direction direction) {
    const double seconds = elapsedTurnSeconds();
    const double before = s_.turn == s_.sides.manSide ? s_.manSeconds : s_.comSeconds;
    RecordedMove move;
    move.direction = direction;
    move.seconds = static_cast<int>(std::floor(seconds));
    move.totalSeconds = static_cast<int>(std::floor(before + seconds));
    move.switchedTo = history_.pendingSwitch;
    // A board set up by hand is no game the record can follow: nothing is recorded then.
    GamePosition next = history_.last;
    if (history_.record.startedAt.empty() || applyMove(next, move)) return;
    history_.pendingSwitch.reset();
    history_.record.moves.push_back(move);
    history_.last = next;
    saveGameInProgress();
}

void Game::noteTotal(double total) {
    if (history_.shown || history_.record.moves.empty()) return;
    RecordedMove& move = history_.record.moves.back();
    move.totalSeconds = static_cast<int>(std::floor(total));
    saveGameInProgress();
}

void Game::saveGameInProgress() {
    history_.record.result = resultOf(history_.last, history_.record.command);
    if (platform_.writeGameInProgress(history_.record)) {
        platform_.setEnabled(MenuCommand::Resume, history_.last.gameOver == SIDE_NONE);
    } else {
        updateResume();
    }
}

void Game::updateResume() {
    bool unfinished = false;
    const auto read = platform_.readGameInProgress();
    if (const auto* record = std::get_if<GameRecord>(&read)) {
        const auto replay = replayRecord(*record);
        const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
        unfinished = positions != nullptr && positions->back().gameOver == SIDE_NONE;
    }
    platform_.setEnabled(MenuCommand::Resume, unfinished);
}

void Game::onResume() {
    const auto read = platform_.readGameInProgress();
    if (const auto* error = std::get_if<RecordError>(&read)) {
        showRecordError(*error);
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    const GameRecord& record = std::get<GameRecord>(read);
    const auto replay = replayRecord(record);
    if (const auto* error = std::get_if<RecordError>(&replay)) {
        showRecordError(*error);
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    const GamePosition& last = std::get<std::vector<GamePosition>>(replay).back();
    if (last.gameOver != SIDE_NONE) {
        refuse();
        platform_.setEnabled(MenuCommand::Resume, false);
        return;
    }
    history_ = GameHistory{};
    history_.record = record;
    history_.last = last;
    if (s_.level != record.level) onLevel(record.level);
    adoptPosition(last);
    s_.clockStart = platform_.timeOfDay();
    setTimer(s_.gameMode == MODE_COM || s_.marks.keika);
    if (s_.gameMode == MODE_COM && s_.turn == s_.sides.comSide) com_ban();
}

void Game::onTakeBack() {
    auto& moves = history_.record.moves;
    if (history_.shown || s_.turn == SIDE_NONE || moves.empty()) return refuse();
    const auto replay = replayRecord(history_.record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return refuse();

    // Two humans take back one move; against the computer, back to the human's last turn.
    std::size_t index = moves.size() - 1;
    if (s_.gameMode == MODE_COM) {
        while (!humanToMove(positionBeforeMove(*positions, history_.record, index))) {
            if (index == 0) return refuse();
            --index;
        }
    }
    GamePosition back = positionBeforeMove(*positions, history_.record, index);
    std::optional<GameCommand> pending = moves[index].switchedTo;
    if (!humanToMove(back)) {
        // The computer's move taken back in a game now between two humans: they play on.
        back = (*positions)[index];
        applyCommand(back, GameCommand::Start);
        pending = GameCommand::Start;
    }
    moves.resize(index);
    history_.last = (*positions)[index];
    history_.pendingSwitch = pending;
    // Time already spent stays on the clocks.
    back.manSeconds = s_.manSeconds;
    back.comSeconds = s_.comSeconds;
    adoptPosition(back);
    s_.clockStart = platform_.timeOfDay();
    setTimer(s_.gameMode == MODE_COM || s_.marks.keika);
    saveGameInProgress();
}

GamePosition Game::currentPosition() const {
    GamePosition p;
    p.board = s_.board;
    p.princeX = s_.princeX;
    p.princeY = s_.princeY;
    p.kings = s_.kings;
    p.sides = s_.sides;
    p.turn = s_.turn;
    p.gameOver = s_.gameOver;
    p.gameMode = s_.gameMode;
    p.moveNumber = s_.moveNumber;
    p.manSeconds = s_.manSeconds;
    p.comSeconds = s_.comSeconds;
    return p;
}

void Game::adoptPosition(const GamePosition& p) {
    s_.board = p.board;
    s_.princeX = p.princeX;
    s_.princeY = p.princeY;
    s_.kings = p.kings;
    s_.sides = p.sides;
    s_.turn = p.turn;
    s_.gameOver = p.gameOver;
    s_.gameMode = p.gameMode;
    s_.moveNumber = p.moveNumber;
    s_.manSeconds = p.manSeconds;
    s_.comSeconds = p.comSeconds;
    s_.shownSecond = 0;
    画面_再描画();
    if (s_.moveNumber > 0) 描画_手数(s_.moveNumber, textColour);
    platform_.refresh();
}

void Game::refuse() {
    platform_.dsPlay(s_.soundForbidden);
}

}
