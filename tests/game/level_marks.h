#pragma once

#include <utility>
#include <vector>

#include "fake_platform.h"
#include "rules/level.h"

namespace quorvel::testing {

// The 強さ menu's items, one per level.
inline constexpr std::pair<Level, MenuItem> kLevelItems[] = {
    {Level::入門, MenuItem::NYUMON},
    {Level::初級, MenuItem::SYOKYU},
    {Level::中級, MenuItem::CHUKYU},
    {Level::上級, MenuItem::JOKYU},
};

// The levels whose items the fake's menu shows checked.
inline std::vector<Level> checkedLevels(FakePlatform& fake) {
    std::vector<Level> checked;
    for (const auto& [level, item] : kLevelItems) {
        if (fake.marks[item]) checked.push_back(level);
    }
    return checked;
}

}
