// Plain exhaustive proofs: every magnet of both sides, to the given depth, nothing remembered.

#include "ai/prover.h"

#include <array>

namespace quorvel::engine {

namespace {

constexpr std::array DIRECTIONS{Direction::Left, Direction::Right, Direction::Up, Direction::Down};

// Whether side, to move, wins within moves of its own moves against every defence.
bool winsWithin(const Position& position, int side, const WinRules& rules, int moves) {
    for (const Direction own : DIRECTIONS) {
        Position after = position;
        play(after, own);
        const int outcome = decide(after, side, rules);
        if (outcome == 1) return true;
        if (outcome == -1 || moves == 1) continue;
        bool holds = true;
        for (const Direction reply : DIRECTIONS) {
            Position answered = after;
            play(answered, reply);
            const int replyOutcome = decide(answered, -side, rules);
            if (replyOutcome == -1) continue;
            if (replyOutcome == 1 || !winsWithin(answered, side, rules, moves - 1)) {
                holds = false;
                break;
            }
        }
        if (holds) return true;
    }
    return false;
}

}

std::optional<int> forcedWinWithin(const Position& position, int side, const WinRules& rules,
                                   int maxMoves) {
    for (int moves = 1; moves <= maxMoves; ++moves) {
        if (winsWithin(position, side, rules, moves)) return moves;
    }
    return std::nullopt;
}

Direction longestDefence(const Position& position, int side, const WinRules& rules, int maxMoves) {
    Direction best = Direction::Left;
    int bestLength = -1;
    for (const Direction reply : DIRECTIONS) {
        Position after = position;
        play(after, reply);
        const int outcome = decide(after, side, rules);
        if (outcome == 1) return reply;
        const int length =
            outcome == -1 ? 0
                          : forcedWinWithin(after, -side, rules, maxMoves).value_or(maxMoves + 1);
        if (length > bestLength) {
            best = reply;
            bestLength = length;
        }
    }
    return best;
}

}
