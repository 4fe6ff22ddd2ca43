#include "rules/prince_step.h"

#include "rules/move_check.h"

namespace quorvel {

void placePiece(Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
    board(移動先X, 移動先Y) = 移動駒;
    board(移動元X, 移動元Y) = EMPTY;
}

bool stepPrince(Board& board, Square& prince, Direction direction) {
    const Square to = stepToward(direction, prince.x, prince.y);
    if (!移動チェック(board, prince.x, prince.y, to.x, to.y, PRINCE)) return false;
    placePiece(board, prince.x, prince.y, to.x, to.y, PRINCE);
    prince = to;
    return true;
}

}
