#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "rules/board.h"

namespace quorvel {

// The direction gravity pulls toward; each names one magnet.
enum class Direction { Left, Right, Up, Down };

// The direction words "左", "右", "上", "下", compared as exact strings; any other word has no
// direction.
std::optional<Direction> directionFromWord(std::string_view word);
std::string_view wordOf(Direction direction);

// The magnet across the board: a slide toward it on the board turned half round is the slide
// toward `direction` on the board itself.
Direction opposite(Direction direction);

// One square toward the magnet of the direction.
Square stepToward(Direction direction, int x, int y);

// Called after each finished step of a slide with the board as it now stands.
using StepObserver = std::function<void(const Board&)>;

// Slides every piece except the prince toward the magnet, one square per step, until nothing
// can move. The marks of a step are taken from the board as it stood before that step, so each
// marked piece moves exactly one square and no two pieces enter the same square. Calls onStep
// (when given) once after every step. Returns the number of steps.
int slide(Board& board, Direction direction, const StepObserver& onStep = {});

// The silent form: the same slide with no drawing and no pause. An unknown direction word
// leaves the board unchanged.
void 重力処理_仮(Board& board, std::string_view I_方向);

}
