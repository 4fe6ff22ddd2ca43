#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rules/gravity.h"

namespace quorvel {

// One puzzle: the magnets pressed from the first position of a game between two humans (the
// lower pieces move first) to reach its position, and the number of its own moves, the winning
// one included, within which the side to move there wins against every defence.
struct Puzzle {
    std::string id;
    std::vector<Direction> moves;
    int n = 0;
};

// Why a puzzle file could not be read: the line (1-based, 0 for the whole text) and the reason.
struct PuzzleFileError {
    int line = 0;
    std::string message;
};

// Reads a puzzle file: one puzzle a line, `id<TAB>moves<TAB>N`, the moves direction words
// separated by single spaces; a line starting with '#' is a comment.
std::variant<std::vector<Puzzle>, PuzzleFileError> parsePuzzles(std::string_view text);

}
