#include "rules/level.h"

namespace quorvel {

namespace {

constexpr std::array<std::string_view, LEVELS.size()> LEVEL_NAMES{"入門", "初級", "中級", "上級"};

}

std::string_view levelName(Level level) {
    return LEVEL_NAMES[static_cast<std::size_t>(level)];
}

std::optional<Level> levelFromName(std::string_view name) {
    for (const Level level : LEVELS) {
        if (levelName(level) == name) return level;
    }
    return std::nullopt;
}

}
