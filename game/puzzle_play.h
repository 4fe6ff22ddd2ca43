#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "game/option_lines.h"
#include "game/position.h"
#include "rules/gravity.h"
#include "storage/puzzle_file.h"

namespace quorvel {

// A puzzle in play: which one, who solves it, and the position before each of the solver's
// moves so far (the first is the puzzle's own position; 待った goes back through them).
struct PuzzleSession {
    std::size_t index = 0;
    std::size_t count = 0;
    int n = 0;
    int solver = SIDE_NONE;
    std::vector<GamePosition> tries;
    // The last move let the forced win go.
    bool failed = false;

    // The solver's moves left, the next one included.
    int movesLeft() const { return n - static_cast<int>(tries.size()) + 1; }
};

// The settings file's line of the puzzles solved so far: "詰め問題=<count>".
inline constexpr std::string_view PUZZLE_PROGRESS_NAME = "詰め問題";
// The count a progress line gives: 0 for none or for anything but a plain number.
std::size_t solvedPuzzles(const std::optional<std::string>& lineValue);
// The option as written: count, whose text lives in countText.
OptionValue progressOption(std::size_t count, std::string& countText);

// The puzzle's position, reached by its moves from the first position of a game between two
// humans; nothing when a move of it ends the game or it holds no move to win.
std::optional<GamePosition> puzzlePosition(const Puzzle& puzzle);

// Whether the side to move in position, having just been moved against by the solver, cannot
// keep the solver from winning within movesLeft more moves of the solver's.
bool winStillForced(const GamePosition& position, int solver, int movesLeft);
// The first magnet (Left, Right, Up, Down) with which the side to move wins within movesLeft of
// its own moves against every defence; nothing when none does.
std::optional<Direction> winningMagnet(const GamePosition& position, int movesLeft);
// The defender's magnet: the one that holds out longest against a win within movesLeft.
Direction defenceOf(const GamePosition& position, int movesLeft);

}
