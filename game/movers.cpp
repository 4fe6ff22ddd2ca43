#include "game/movers.h"

namespace quorvel {

std::optional<int> Seats::pressPlaysFor(int turn) const {
    if (turn != sides.manSide && turn != sides.comSide) return std::nullopt;
    if (!local(turn)) return std::nullopt;
    return turn;
}

Seats seatsOf(int gameMode, const Sides& sides) {
    if (gameMode == MODE_COM) return {sides, Mover::LocalHand, Mover::Computer};
    return {sides, Mover::LocalHand, Mover::LocalHand};
}

}
