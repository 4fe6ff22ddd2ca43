#include "rules/check.h"

#include "rules/move_check.h"

namespace quorvel {

bool 調査_王手(const Board& board, const KingSquares& kings, const Sides& sides, int I_手番,
               int& O_X, int& O_Y, int& O_X2, int& O_Y2) {
    const bool upperAttacks = I_手番 == sides.comSide;
    const bool lowerAttacks = !upperAttacks && I_手番 == sides.manSide;
    if (!upperAttacks && !lowerAttacks) return false;

    const int kingX = upperAttacks ? kings.manKingX : kings.comKingX;
    const int kingY = upperAttacks ? kings.manKingY : kings.comKingY;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int code = board(x, y);
            if (code == EMPTY || code == PRINCE) continue;
            const bool ownPiece = upperAttacks ? isUpperCode(code) : isLowerCode(code);
            if (!ownPiece || !移動チェック(board, x, y, kingX, kingY, code)) continue;
            O_X = x;
            O_Y = y;
            O_X2 = kingX;
            O_Y2 = kingY;
            return true;
        }
    }
    return false;
}

}
