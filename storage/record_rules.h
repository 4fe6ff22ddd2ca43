#pragma once

#include <cstddef>

#include "storage/game_record.h"

// The bounds of a game record and what makes two records the same game.
namespace quorvel {

// A record file larger than this is refused whole.
inline constexpr std::size_t RECORD_MAX_FILE_BYTES = std::size_t{1} << 20;
// A line longer than this many characters (Unicode code points, line end not counted) is refused.
inline constexpr std::size_t RECORD_MAX_LINE_CHARS = 1000;
// A record holds at most this many moves: the reader refuses more, and a game that goes on
// past them keeps its first this many moves on record.
inline constexpr std::size_t RECORD_MAX_MOVES = 10000;
// The largest time a move line can state, in seconds (just under 100,000 hours). The writer
// holds every time to 0..RECORD_MAX_SECONDS and the reader refuses a larger one.
inline constexpr int RECORD_MAX_SECONDS = 359'999'999;

// The number of decimal digits of a non-negative number.
constexpr std::size_t decimalDigits(long long number) {
    std::size_t digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return digits;
}

// The widest fields of a move line: its number, the minutes of its own time ("m:ss") and the
// hours of the total ("h:mm:ss"), as the largest values write them.
inline constexpr std::size_t RECORD_MAX_NUMBER_DIGITS = decimalDigits(RECORD_MAX_MOVES);
inline constexpr std::size_t RECORD_MAX_MINUTE_DIGITS = decimalDigits(RECORD_MAX_SECONDS / 60);
inline constexpr std::size_t RECORD_MAX_HOUR_DIGITS = decimalDigits(RECORD_MAX_SECONDS / 3600);

// A time as a record can state it: held to 0..RECORD_MAX_SECONDS.
constexpr int recordSeconds(long long seconds) {
    return seconds < 0                    ? 0
           : seconds > RECORD_MAX_SECONDS ? RECORD_MAX_SECONDS
                                          : static_cast<int>(seconds);
}

// Equal in everything a record file holds: all but the lines the moves were read from.
bool sameGame(const GameRecord& a, const GameRecord& b);

}
