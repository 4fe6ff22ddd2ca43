#pragma once

#include <vector>

#include "fake_platform.h"
#include "game/game.h"
#include "rules/level.h"

namespace quorvel::testing {

// The levels whose 強さ items the fake's menu shows checked.
inline std::vector<Level> checkedLevels(FakePlatform& fake) {
    std::vector<Level> checked;
    for (const Level level : LEVELS) {
        if (fake.marks[levelItem(level)]) checked.push_back(level);
    }
    return checked;
}

}
