#include "ai/evaluation.h"

namespace quorvel {

int 盤評価(const Board& board, const Board& savedBoard, const KingSquares& kings,
           const Sides& sides) {
    int score = 0;
    int ax = 0, ay = 0, kx = 0, ky = 0;
    if (調査_王手(board, kings, sides, sides.comSide, ax, ay, kx, ky)) {
        score = SCORE_HUMAN_KING_ATTACKED;
    }
    if (調査_王手(board, kings, sides, sides.manSide, ax, ay, kx, ky)) {
        score = SCORE_COMPUTER_KING_ATTACKED;
    }
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (savedBoard(x, y) == EMPTY && board(x, y) != EMPTY) ++score;
        }
    }
    return score;
}

}
