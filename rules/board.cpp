#include "rules/board.h"

namespace quorvel {

namespace {

// Back rank of the upper side, columns 1..9.
constexpr std::array<int, boardSize> kUpperBackRank{UPPER_LANCE,  UPPER_KNIGHT, UPPER_SILVER,
                                                    UPPER_GOLD,   UPPER_KING,   UPPER_GOLD,
                                                    UPPER_SILVER, UPPER_KNIGHT, UPPER_LANCE};

}

void layFirstPosition(Board& board) {
    board = Board{};
    for (int x = 1; x <= boardSize; ++x) {
        const int piece = kUpperBackRank[x - 1];
        board(x, 1) = piece;
        board(x, 3) = UPPER_PAWN;
        // The lower side is the point reflection of the upper side through (5, 5).
        board(boardSize + 1 - x, 9) = -piece;
        board(x, 7) = LOWER_PAWN;
    }
    board(2, 2) = UPPER_ROOK;
    board(8, 2) = UPPER_BISHOP;
    board(2, 8) = LOWER_BISHOP;
    board(8, 8) = LOWER_ROOK;
    board(FIRST_PRINCE_SQUARE.x, FIRST_PRINCE_SQUARE.y) = PRINCE;
}

}
