#include "game/record_analysis.h"

#include "game/computer_choice.h"
#include "game/record_replay.h"

namespace quorvel {

namespace {

engine::GamePoint pointOf(const GamePosition& p) {
    const auto signOf = [&](int side) {
        return side == p.sides.comSide ? engine::UPPER
                                       : (side == p.sides.manSide ? engine::LOWER : 0);
    };
    const bool ended = p.gameOver != SIDE_NONE || p.drawn;
    return {engine::fromBoard(p.board, {p.princeX, p.princeY}), ended ? 0 : signOf(p.turn),
            engine::winRulesOf(searchGameOf(p)), signOf(p.gameOver)};
}

}

std::optional<AnalysisSubject> analysisSubjectOf(const GameHistory& history) {
    const GameRecord& record = history.record;
    const auto replay = replayRecord(record);
    const auto* positions = std::get_if<std::vector<GamePosition>>(&replay);
    if (positions == nullptr) return std::nullopt;
    AnalysisSubject subject;
    subject.sente = record.command == GameCommand::Gote ? engine::UPPER : engine::LOWER;
    subject.shown = history.shown.value_or(record.moves.size());
    for (std::size_t i = 0; i < record.moves.size(); ++i)
        subject.points.push_back(pointOf(positionBeforeMove(*positions, record, i)));
    subject.points.push_back(pointOf(positions->back()));
    return subject;
}

}
