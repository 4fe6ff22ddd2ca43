#pragma once

#include "rules/board.h"
#include "rules/check.h"

namespace quorvel {

// Records where the two kings stand, visiting column by column and row by row; a king code
// found later overrides one found earlier. Fields of a king not on the board keep their values.
void 勢力調査(const Board& board, KingSquares& kings);

}
