#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "ai/analysis.h"
#include "game/history.h"

namespace quorvel {

// The record on the board as the analysis sees it: every position replayed from it, in the
// engine's terms (the side to move and the winner by the sign of their pieces, the win rules of
// the game's mode at that point), the sign of 先手's pieces, and the position shown.
struct AnalysisSubject {
    std::vector<engine::GamePoint> points;
    int sente = engine::LOWER;
    std::size_t shown = 0;
};

// Nothing when the record does not replay.
std::optional<AnalysisSubject> analysisSubjectOf(const GameHistory& history);

}
