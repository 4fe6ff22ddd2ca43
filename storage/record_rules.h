#pragma once

#include <cstddef>

#include "storage/game_record.h"

// The bounds of a game record and what makes two records the same game.
namespace quorvel {

// A record file larger than this is refused whole.
inline constexpr std::size_t RECORD_MAX_FILE_BYTES = std::size_t{1} << 20;
// A line longer than this many characters (Unicode code points, line end not counted) is refused.
inline constexpr std::size_t RECORD_MAX_LINE_CHARS = 1000;
// A record with more moves than this is refused.
inline constexpr std::size_t RECORD_MAX_MOVES = 10000;
// The largest time a move line can state, in seconds (just under 100,000 hours); larger times
// are written as this.
inline constexpr int RECORD_MAX_SECONDS = 359'999'999;

// Equal in everything a record file holds: all but the lines the moves were read from.
bool sameGame(const GameRecord& a, const GameRecord& b);

}
