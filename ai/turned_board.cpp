#include "ai/turned_board.h"

namespace quorvel {

Board turnedAround(const Board& board) {
    Board turned;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int code = board(x, y);
            turned(boardSize + 1 - x, boardSize + 1 - y) = code == PRINCE ? PRINCE : -code;
        }
    }
    return turned;
}

Square turnedAround(Square square) {
    return {boardSize + 1 - square.x, boardSize + 1 - square.y};
}

}
