// A record replayed by the rules of the game controller: the same relabelling of the sides by
// the game commands and the same win tests as the moves played in the window.

#include "game/record_replay.h"

#include <array>

#include "ai/survey.h"
#include "game/computer_choice.h"
#include "game/game.h"
#include "game/movers.h"
#include "game/repetition.h"
#include "game/resign.h"
#include "rules/prince_step.h"
#include "rules/translatable.h"
#include "rules/win_order.h"

namespace quorvel {

namespace {

const std::string kMoveAfterWin = QT_TRANSLATE_NOOP("Game", "勝負がついた後の指手です");
const std::string kMoveAfterDraw = QT_TRANSLATE_NOOP("Game", "千日手の後の指手です");

bool attacks(const GamePosition& p, int side) {
    int ax = 0, ay = 0, kx = 0, ky = 0;
    return 調査_王手(p.board, p.kings, p.sides, side, ax, ay, kx, ky);
}

// The sides tested after a move, in the game's win order for the position's mode.
std::array<int, 2> winTests(const GamePosition& p, int mover) {
    return winOrder(searchGameOf(p).winTest, p.sides, mover);
}

}

GamePosition startPosition(GameCommand command, bool repetitionDraw) {
    GamePosition p;
    p.repetitionDraw = repetitionDraw;
    layFirstPosition(p.board);
    quorvel::勢力調査(p.board, p.kings);
    applyCommand(p, command);
    return p;
}

std::optional<RecordError> applyMove(GamePosition& p, const RecordedMove& move) {
    if (p.gameOver != SIDE_NONE) return RecordError{move.line, kMoveAfterWin};
    if (p.drawn) return RecordError{move.line, kMoveAfterDraw};
    if (move.switchedTo) applyCommand(p, *move.switchedTo);
    const int mover = p.turn;
    Square prince{p.princeX, p.princeY};
    stepPrince(p.board, prince, move.direction);
    p.princeX = prince.x;
    p.princeY = prince.y;
    slide(p.board, move.direction);
    ++p.moveNumber;
    quorvel::勢力調査(p.board, p.kings);

    double& total = mover == p.sides.manSide ? p.manSeconds : p.comSeconds;
    if (move.totalSeconds) {
        total = *move.totalSeconds;
    } else if (move.seconds) {
        total += *move.seconds;
    }
    for (const int side : winTests(p, mover)) {
        if (side == SIDE_NONE) break;
        if (attacks(p, side)) {
            p.gameOver = side;
            return std::nullopt;
        }
    }
    p.turn = mover == p.sides.manSide ? p.sides.comSide : p.sides.manSide;
    return std::nullopt;
}

std::variant<std::vector<GamePosition>, RecordError> replayRecord(const GameRecord& record) {
    std::vector<GamePosition> positions;
    positions.reserve(record.moves.size() + 1);
    positions.push_back(startPosition(record.command, record.repetitionDraw));
    for (const RecordedMove& move : record.moves) {
        GamePosition next = positions.back();
        if (auto error = applyMove(next, move)) return *error;
        next.drawn = endsInRepetition(positions, next);
        positions.push_back(next);
    }
    resign(positions.back(), record.resignedBy);
    return positions;
}

GamePosition positionBeforeMove(const std::vector<GamePosition>& positions,
                                const GameRecord& record, std::size_t index) {
    GamePosition p = positions.at(index);
    if (const auto& command = record.moves.at(index).switchedTo) applyCommand(p, *command);
    return p;
}

bool humanToMove(const GamePosition& p) {
    return seatsOf(p.gameMode, p.sides).local(p.turn);
}

std::string resultOf(const GamePosition& p, GameCommand startCommand) {
    if (p.drawn) return drawResultText(p.moveNumber);
    if (p.gameOver == SIDE_NONE) return {};
    const bool winnerLower = p.gameOver == p.sides.manSide;
    const bool firstMoverLower = startPosition(startCommand).sides.manSide == SIDE_SENTE;
    return resultText(p.moveNumber, winnerLower == firstMoverLower);
}

}
