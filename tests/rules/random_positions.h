#pragma once

#include <cstdint>
#include <vector>

#include "rules/board.h"

namespace quorvel::testing {

// A position with the forty pieces of the first position and the prince scattered over the
// board by a seeded generator, so the same seed always gives the same position.
struct RandomPosition {
    Board board;
    Square prince;
};

RandomPosition randomPosition(std::uint32_t seed);

// The codes of all 81 squares in ascending order: the multiset that slides and whole games
// must keep.
std::vector<int> sortedCodes(const Board& board);

}
