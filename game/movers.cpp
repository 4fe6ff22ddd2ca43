#include "game/movers.h"

namespace quorvel {

std::optional<int> Seats::pressPlaysFor(int turn) const {
    if (turn != sides.manSide && turn != sides.comSide) return std::nullopt;
    if (!local(turn)) return std::nullopt;
    return turn;
}

Seats seatsOf(int gameMode, const Sides& sides) {
    if (gameMode == MODE_COM) return {sides, Mover::LocalHand, Mover::Computer};
    if (gameMode == MODE_NET) return {sides, Mover::LocalHand, Mover::Remote};
    return {sides, Mover::LocalHand, Mover::LocalHand};
}

Seats puzzleSeats(const Sides& sides, int solver) {
    const auto moverOf = [&](int side) {
        return side == solver ? Mover::LocalHand : Mover::Defender;
    };
    return {sides, moverOf(sides.manSide), moverOf(sides.comSide)};
}

WinTest winTestOf(const Seats& seats) {
    const bool computer = seats.lower == Mover::Computer || seats.upper == Mover::Computer;
    return computer ? WinTest::AgainstComputer : WinTest::TwoHumans;
}

}
