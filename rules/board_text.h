#pragma once

#include <string>
#include <string_view>

#include "rules/board.h"

namespace quorvel {

// A readable text form of a position: nine rows, top row first, nine tokens a row separated by
// spaces. Lower-side pieces are upper-case letters (P L N S G B R K), upper-side pieces
// lower-case, a promoted piece carries a leading "+", the prince is "*" and an empty square ".".
std::string toText(const Board& board);

// Parses the text form; whitespace between tokens and rows is free. Throws std::invalid_argument
// on an unknown token or a wrong number of squares.
Board fromText(std::string_view text);

}
