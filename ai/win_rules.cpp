#include "ai/win_rules.h"

#include "ai/attack.h"

namespace quorvel::engine {

WinRules winRulesOf(const SearchGame& game) {
    const Sides& sides = game.sides;
    const auto signOf = [&](int side) {
        return side == sides.comSide ? UPPER : side == sides.manSide ? LOWER : 0;
    };
    WinRules rules;
    rules.repetitionDraw = game.repetitionDraw;
    for (const int mover : {UPPER, LOWER}) {
        const auto order =
            winOrder(game.winTest, sides, mover == UPPER ? sides.comSide : sides.manSide);
        auto& tests = rules.tests[moverIndex(mover)];
        for (std::size_t i = 0; i < order.size(); ++i)
            tests[i] = signOf(order[i]);
    }
    return rules;
}

int decide(const Position& position, int mover, const WinRules& rules) {
    for (const int attacker : rules.tests[moverIndex(mover)]) {
        if (attacker == 0) break;
        if (attacksKing(position, attacker)) return attacker == mover ? 1 : -1;
    }
    return 0;
}

int decide(bool upperAttacks, bool lowerAttacks, int mover, const WinRules& rules) {
    for (const int attacker : rules.tests[moverIndex(mover)]) {
        if (attacker == 0) break;
        if (attacker == UPPER ? upperAttacks : lowerAttacks) return attacker == mover ? 1 : -1;
    }
    return 0;
}

bool leavesOpponentAttackUntested(int mover, const WinRules& rules) {
    const auto& tests = rules.tests[moverIndex(mover)];
    return tests[0] != -mover && tests[1] != -mover;
}

}
