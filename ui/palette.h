#pragma once

#include <QColor>

namespace quorvel {

// The game's 16-colour palette; an index outside 0..15 gives black.
QColor paletteColour(int index);

}
