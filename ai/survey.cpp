#include "ai/survey.h"

namespace quorvel {

void 勢力調査(const Board& board, KingSquares& kings) {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int code = board(x, y);
            if (code == LOWER_KING) {
                kings.manKingX = x;
                kings.manKingY = y;
            } else if (code == UPPER_KING) {
                kings.comKingX = x;
                kings.comKingY = y;
            }
        }
    }
}

}
