#pragma once

#include "rules/board.h"

namespace quorvel {

// May the piece of code 移動駒種類 go from the source square to the destination by its shogi
// move on this board? The source square is not read, so any code may be asked about.
bool 移動チェック(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y,
                  int 移動駒種類);

// Source and destination share a row or column and every square strictly between is EMPTY.
// Trusts the caller for bounds and for distinct squares.
bool 移動チェック飛車(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);

// Source and destination share a diagonal and every square strictly between is EMPTY.
bool 移動チェック角(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);

}
