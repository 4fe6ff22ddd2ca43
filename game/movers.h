#pragma once

#include <optional>

#include "game/position.h"
#include "rules/check.h"
#include "rules/win_order.h"

namespace quorvel {

// Who moves a side of the game: a hand at this machine's mouse and keys, the computer at the
// chosen level, a friend whose moves arrive over the network, or the defender: the computer
// holding out as long as it can against a puzzle's forced win; it plays no level.
enum class Mover { LocalHand, Computer, Remote, Defender };

// Who moves each side of the game in play, named by its pieces: the lower pieces belong to
// sides.manSide, the upper ones to sides.comSide. Every handler that plays, suggests or takes
// back a move asks the seats instead of testing the mode.
struct Seats {
    Sides sides;
    Mover lower = Mover::LocalHand;
    Mover upper = Mover::LocalHand;

    Mover of(int side) const { return side == sides.comSide ? upper : lower; }
    // Whether a side is moved by a hand at this machine.
    bool local(int side) const { return of(side) == Mover::LocalHand; }
    // Whether both sides are moved at this machine's mouse (two humans at one table).
    bool bothLocal() const { return lower == Mover::LocalHand && upper == Mover::LocalHand; }
    // The side a press at this machine plays for when `turn` is to move: `turn` itself when a
    // local hand moves it, nothing when another mover's turn is running or no game is.
    std::optional<int> pressPlaysFor(int turn) const;
};

// The seats of a game in a mode: MODE_MAN two hands at one mouse, MODE_COM a hand on the lower
// pieces against the computer on the upper ones, MODE_NET a hand on the lower pieces against a
// friend over the network on the upper ones.
Seats seatsOf(int gameMode, const Sides& sides);

// The seats of a puzzle: a hand plays for the solver, the defender answers for the other side.
Seats puzzleSeats(const Sides& sides, int solver);

// How wins are tested in a game with these seats: against the computer when it moves a side at
// a level, otherwise (two hands, or a puzzle's defender) as between two humans.
WinTest winTestOf(const Seats& seats);

}
