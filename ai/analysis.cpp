#include "ai/analysis.h"

#include <vector>

#include "ai/engine_levels.h"
#include "ai/search.h"

namespace quorvel::engine {

namespace {

// The bounds of the strongest level: at least PROOF_HORIZON moves deep, then deeper within its
// position counts.
SearchLimits analysisLimits() {
    SearchLimits limits = limitsOf(Level::上級);
    limits.minDepth = PROOF_HORIZON;
    return limits;
}

}

Verdict analysePosition(std::span<const GamePoint> game, std::size_t index, int sente,
                        TranspositionTable& table) {
    const GamePoint& point = game[index];
    Verdict verdict;
    if (point.side == 0) {
        verdict.winner = point.winner;
        if (point.winner != 0) verdict.evaluation = point.winner == sente ? WIN_SCORE : -WIN_SCORE;
        return verdict;
    }
    std::vector<Earlier> earlier;
    earlier.reserve(index);
    for (std::size_t i = 0; i < index; ++i)
        earlier.push_back({game[i].position, game[i].side});
    const SearchResult result =
        search(point.position, point.side, point.rules, analysisLimits(), table, earlier);
    int score = result.score;
    // A return scores for the searching side alone; in the course of a game it is even.
    if (score < REPEAT_SCORE / 2 && score >= -DECIDED_SCORE) score = DRAW_SCORE;
    verdict.side = point.side;
    verdict.evaluation = point.side == sente ? score : -score;
    if (score > DECIDED_SCORE || score < -DECIDED_SCORE) {
        const int moves = WIN_SCORE - (score > 0 ? score : -score);
        if (moves <= PROOF_HORIZON) {
            verdict.proven = score > 0 ? 1 : -1;
            verdict.moves = moves;
        }
    }
    return verdict;
}

int provenFor(const Verdict& verdict, int side) {
    if (verdict.side == 0) return verdict.winner == 0 ? 0 : (verdict.winner == side ? 1 : -1);
    return verdict.side == side ? verdict.proven : -verdict.proven;
}

MoveMark markOf(const Verdict& before, const Verdict& after, int mover) {
    if (provenFor(before, mover) == 1 && provenFor(after, mover) != 1) return MoveMark::LetWinGo;
    if (provenFor(before, mover) != -1 && provenFor(after, mover) == -1) {
        return MoveMark::WalkedIntoLoss;
    }
    return MoveMark::None;
}

}
