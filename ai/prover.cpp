#include "ai/prover.h"

#include <array>

namespace quorvel::engine {

namespace {

constexpr std::array<Direction, 4> MAGNETS{Direction::Left, Direction::Right, Direction::Up,
                                           Direction::Down};

// A magnet press is always a move, even when the prince cannot step and nothing slides: the turn
// passes all the same, as in the game. The 千日手 end is not looked at: it rests on the game's
// history, which a proof from one position does not have.
Position after(const Position& position, Direction direction) {
    Position next = position;
    play(next, direction);
    return next;
}

bool winsWithin(const Position& position, int side, const WinRules& rules, int moves);

// Whether side's move to child (not decided by the move itself) still wins within moves - 1 of
// its own moves after every answer of the opponent.
bool holdsAgainstEveryDefence(const Position& child, int side, const WinRules& rules, int moves) {
    if (moves <= 1) return false;
    for (const Direction defence : MAGNETS) {
        const Position next = after(child, defence);
        const int outcome = decide(next, -side, rules);
        if (outcome > 0) return false;
        if (outcome < 0) continue;
        if (!winsWithin(next, side, rules, moves - 1)) return false;
    }
    return true;
}

// Whether side, to move, wins within moves of its own moves against every defence.
bool winsWithin(const Position& position, int side, const WinRules& rules, int moves) {
    for (const Direction attack : MAGNETS) {
        const Position child = after(position, attack);
        const int outcome = decide(child, side, rules);
        if (outcome > 0) return true;
        if (outcome < 0) continue;
        if (holdsAgainstEveryDefence(child, side, rules, moves)) return true;
    }
    return false;
}

// The smallest number of defender positions in a proof that side wins within moves from a
// position where it is to move, or -1 when there is no such proof.
long proofSize(const Position& position, int side, const WinRules& rules, int moves);

long proofSizeAfter(const Position& child, int side, const WinRules& rules, int moves) {
    long size = 1;
    for (const Direction defence : MAGNETS) {
        const Position next = after(child, defence);
        const int outcome = decide(next, -side, rules);
        if (outcome > 0) return -1;
        if (outcome < 0) continue;
        const long rest = proofSize(next, side, rules, moves - 1);
        if (rest < 0) return -1;
        size += rest;
    }
    return size;
}

long proofSize(const Position& position, int side, const WinRules& rules, int moves) {
    if (moves <= 0) return -1;
    long best = -1;
    for (const Direction attack : MAGNETS) {
        const Position child = after(position, attack);
        const int outcome = decide(child, side, rules);
        if (outcome > 0) return 0;
        if (outcome < 0 || !holdsAgainstEveryDefence(child, side, rules, moves)) continue;
        const long size = proofSizeAfter(child, side, rules, moves);
        if (best < 0 || size < best) best = size;
    }
    return best;
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
    constexpr int HOLDS = 1 << 20;
    Direction best = Direction::Left;
    int bestLength = -1;
    for (const Direction defence : MAGNETS) {
        const Position child = after(position, defence);
        const int outcome = decide(child, side, rules);
        int length = 0;
        if (outcome > 0) {
            length = HOLDS;
        } else if (outcome == 0) {
            length = forcedWinWithin(child, -side, rules, maxMoves).value_or(HOLDS);
        }
        if (length > bestLength) {
            bestLength = length;
            best = defence;
        }
    }
    return best;
}

std::vector<Direction> winningFirstMoves(const Position& position, int side, const WinRules& rules,
                                         int moves) {
    std::vector<Direction> wins;
    for (const Direction attack : MAGNETS) {
        const Position child = after(position, attack);
        const int outcome = decide(child, side, rules);
        if (outcome > 0 || (outcome == 0 && holdsAgainstEveryDefence(child, side, rules, moves)))
            wins.push_back(attack);
    }
    return wins;
}

long defenderPositions(const Position& position, int side, const WinRules& rules, int moves) {
    return proofSize(position, side, rules, moves);
}

}
