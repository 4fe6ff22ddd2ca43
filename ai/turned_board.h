#pragma once

#include "rules/board.h"
#include "rules/gravity.h"

namespace quorvel {

// The board seen from the other side: turned 180 degrees, every side's code negated (the
// prince stays the prince), so the lower pieces become upper ones. A slide toward a magnet on
// the turned board is the slide toward the opposite magnet on the board itself (opposite, in
// rules/gravity.h).
Board turnedAround(const Board& board);
Square turnedAround(Square square);

}
