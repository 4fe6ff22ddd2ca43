#pragma once

#include "rules/board.h"
#include "rules/gravity.h"

namespace quorvel {

// The board change of a piece move: stores the code on the destination and EMPTY on the source.
// Overwrites the destination without any check; callers guarantee it is empty.
void placePiece(Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);

// Steps the prince one square toward the magnet when the move check allows it (the square ahead
// is on the board and EMPTY); updates the board and the prince's square together. Returns
// whether it stepped.
bool stepPrince(Board& board, Square& prince, Direction direction);

}
