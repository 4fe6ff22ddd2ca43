#pragma once

#include "rules/board.h"

namespace quorvel {

// The kings' squares as last recorded by the board survey; 0 until the first survey.
struct KingSquares {
    int manKingX = 0;  // LOWER_KING
    int manKingY = 0;
    int comKingX = 0;  // UPPER_KING
    int comKingY = 0;
    bool operator==(const KingSquares&) const = default;
};

// Which side identifier plays which pieces: manSide the lower (negative) pieces,
// comSide the upper (positive) ones.
struct Sides {
    int manSide = SIDE_GOTE;
    int comSide = SIDE_SENTE;
};

// Does a piece of side I_手番 attack the opposing king's recorded square? Scans column by
// column, row by row, and reports the first attacker. The out-arguments are written only when
// the answer is true. An identifier equal to neither side tests nothing.
bool 調査_王手(const Board& board, const KingSquares& kings, const Sides& sides, int I_手番,
               int& O_X, int& O_Y, int& O_X2, int& O_Y2);

}
