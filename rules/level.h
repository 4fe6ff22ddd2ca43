#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvel {

// The computer's strength. 入門 is the one-move look-ahead of the four trials; each level above
// searches deeper with the engine.
enum class Level { 入門 = 0, 初級 = 1, 中級 = 2, 上級 = 3 };

inline constexpr std::array<Level, 4> LEVELS{Level::入門, Level::初級, Level::中級, Level::上級};

// The level's name as the menu and the settings file write it: "入門", "初級", "中級", "上級".
std::string_view levelName(Level level);
// The level of an exact name; any other text names none.
std::optional<Level> levelFromName(std::string_view name);

}
