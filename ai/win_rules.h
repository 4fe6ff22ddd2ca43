#pragma once

#include <array>

#include "ai/engine.h"
#include "ai/position.h"

namespace quorvel::engine {

// How a game decides a win after a move: the game's win order (winOrder) by the signs of the
// pieces. For the side that moved (index 0 the upper side, 1 the lower), the attack tests in
// order, by the sign of the attacking side; 0 tests nothing. The first test that succeeds
// names the winner. repetitionDraw: whether a position's fourth occurrence, when no win test
// succeeds, ends the game without a winner (rules/repetition.h).
struct WinRules {
    std::array<std::array<int, 2>, 2> tests{};
    bool repetitionDraw = false;

    bool operator==(const WinRules&) const = default;
};

constexpr int moverIndex(int side) {
    return side == UPPER ? 0 : 1;
}

WinRules winRulesOf(const SearchGame& game);

// After a move of the side of sign mover: +1 when it has won, -1 when it has lost, 0 when the
// game goes on.
int decide(const Position& position, int mover, const WinRules& rules);
// The same from attack tests already made, by the upper and by the lower side.
int decide(bool upperAttacks, bool lowerAttacks, int mover, const WinRules& rules);

// Whether the rules after a move of mover can leave the other side's attack standing
// untested (against the computer, after the computer's move).
bool leavesOpponentAttackUntested(int mover, const WinRules& rules);

}
