#pragma once

#include <cstddef>
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

    bool operator==(const Puzzle&) const = default;
};

// Why a puzzle file could not be read: the line (1-based, 0 for the whole text) and the reason.
struct PuzzleFileError {
    int line = 0;
    std::string message;
};

// The limits of a puzzle file, shared by its reader and its writer.
inline constexpr std::size_t MAX_PUZZLE_FILE_BYTES = 1 << 20;
inline constexpr std::size_t MAX_PUZZLES = 5000;
inline constexpr std::size_t MAX_PUZZLE_ID_LENGTH = 32;
inline constexpr std::size_t MAX_PUZZLE_MOVES = 300;
inline constexpr int MIN_PUZZLE_N = 1;
inline constexpr int MAX_PUZZLE_N = 5;

// Reads a puzzle file: UTF-8, one puzzle a line, `id<TAB>moves<TAB>N`, lines ended by a line
// feed (the last one may lack it). The id is 1 to 32 ASCII letters, digits, '-' or '_', unique
// in the file; the moves are the direction words 上 下 左 右 separated by single spaces (empty
// for the first position itself); N is one digit from 1 to 5. A line starting with '#' is a
// comment. Anything else, a carriage return or a stray space included, is an error.
std::variant<std::vector<Puzzle>, PuzzleFileError> parsePuzzles(std::string_view text);

// The text that parsePuzzles reads back as the same puzzles, one line each, in their order.
std::string formatPuzzles(const std::vector<Puzzle>& puzzles);

}
