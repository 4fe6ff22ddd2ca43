#include "game/repetition.h"

#include <algorithm>

#include "rules/repetition.h"

namespace quorvel {

namespace {

bool lowerToMove(const GamePosition& p) {
    return p.turn == p.sides.manSide;
}

bool samePosition(const GamePosition& a, const GamePosition& b) {
    return a.turn != SIDE_NONE && lowerToMove(a) == lowerToMove(b) && a.board == b.board;
}

}

bool endsInRepetition(std::span<const GamePosition> before, const GamePosition& position) {
    if (!position.repetitionDraw || position.gameOver != SIDE_NONE) return false;
    const auto earlier = std::count_if(before.begin(), before.end(), [&](const GamePosition& p) {
        return samePosition(p, position);
    });
    return earlier + 1 >= REPETITION_DRAW_OCCURRENCES;
}

}
