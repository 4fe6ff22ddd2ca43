#pragma once

namespace quorvel {

// 千日手: with the option on, a game ends without a winner the fourth time the same position
// occurs in it (the same board with its prince, the same side to move). A move that wins as it
// completes the fourth occurrence is a win. Off, the game knows no draw.
inline constexpr int REPETITION_DRAW_OCCURRENCES = 4;

}
