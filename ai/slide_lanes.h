#pragma once

#include <cstdint>

#include "rules/gravity.h"

namespace quorvel::engine {

// The slide on the search's padded board (cells laid out as in ai/position.h), all nine lines
// at once: every piece packs toward the magnet, keeping its order in its line; a prince stays
// where it is and the pieces behind it pack against it. Walls are left as they are.
void slideCells(std::int8_t* cells, Direction direction);

}
