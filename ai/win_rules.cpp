#include "ai/win_rules.h"

#include "ai/attack.h"

namespace quorvel::engine {

WinRules winRulesOf(const SearchGame& game) {
    WinRules rules;
    if (game.winTest == WinTest::AgainstComputer) {
        // The computer plays the upper pieces; after its move only its own attack counts.
        rules.tests[moverIndex(UPPER)] = {UPPER, 0};
        rules.tests[moverIndex(LOWER)] = {LOWER, UPPER};
    } else {
        const int first = game.sides.comSide == SIDE_SENTE ? UPPER : LOWER;
        rules.tests[moverIndex(UPPER)] = {first, -first};
        rules.tests[moverIndex(LOWER)] = {first, -first};
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
