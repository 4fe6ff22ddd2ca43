#include "rules/move_check.h"

#include <cstdlib>

namespace quorvel {

namespace {

constexpr int sign(int v) {
    return (v > 0) - (v < 0);
}

bool isStep(int dx, int dy) {
    return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

// Gold-like step: the three squares ahead, the two beside, and straight back.
bool isGoldStep(int dx, int dy, int f) {
    return (dy == f && std::abs(dx) <= 1) || (dy == 0 && std::abs(dx) == 1) ||
           (dx == 0 && dy == -f);
}

bool isSilverStep(int dx, int dy, int f) {
    return (dy == f && std::abs(dx) <= 1) || (dy == -f && std::abs(dx) == 1);
}

bool lanceMove(const Board& board, int fromX, int fromY, int dx, int dy, int f) {
    if (dx != 0 || dy * f < 1) return false;
    for (int y = fromY + f; y != fromY + dy; y += f) {
        if (board(fromX, y) != EMPTY) return false;
    }
    return true;
}

}

bool 移動チェック飛車(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) {
    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    if (dx != 0 && dy != 0) return false;
    if (dy != 0) {
        const int s = sign(dy);
        for (int y = 移動元Y + s; y != 移動先Y; y += s) {
            if (board(移動先X, y) != EMPTY) return false;
        }
    }
    if (dx != 0) {
        const int s = sign(dx);
        for (int x = 移動元X + s; x != 移動先X; x += s) {
            if (board(x, 移動先Y) != EMPTY) return false;
        }
    }
    return true;
}

bool 移動チェック角(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) {
    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    if (dx != -dy && dx != dy) return false;
    for (int i = 1;; ++i) {
        const int x = 移動元X + i * sign(dx);
        const int y = 移動元Y + i * sign(dy);
        if (x == 移動先X && y == 移動先Y) return true;
        if (board(x, y) != EMPTY) return false;
    }
}

bool 移動チェック(const Board& board, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y,
                  int 移動駒種類) {
    if (!isOnBoard(移動先X, 移動先Y)) return false;
    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    if (dx == 0 && dy == 0) return false;
    const int target = board(移動先X, 移動先Y);
    if (移動駒種類 == PRINCE && target != EMPTY) return false;
    // A piece may not go onto its own side's piece; the prince counts as an upper code here.
    if (isUpperCode(移動駒種類) ? isUpperCode(target) : isLowerCode(target)) return false;

    const int f = isUpperCode(移動駒種類) ? 1 : -1;
    switch (std::abs(移動駒種類)) {
        case UPPER_PAWN:
            return dx == 0 && dy == f;
        case UPPER_LANCE:
            return lanceMove(board, 移動元X, 移動元Y, dx, dy, f);
        case UPPER_KNIGHT:
            return std::abs(dx) == 1 && dy == 2 * f;
        case UPPER_SILVER:
            return isSilverStep(dx, dy, f);
        case UPPER_GOLD:
        case UPPER_PAWN_PROMOTED:
        case UPPER_LANCE_PROMOTED:
        case UPPER_KNIGHT_PROMOTED:
        case UPPER_SILVER_PROMOTED:
            return isGoldStep(dx, dy, f);
        case UPPER_BISHOP:
            return 移動チェック角(board, 移動元X, 移動元Y, 移動先X, 移動先Y);
        case UPPER_BISHOP_PROMOTED:
            return isStep(dx, dy) || 移動チェック角(board, 移動元X, 移動元Y, 移動先X, 移動先Y);
        case UPPER_ROOK:
            return 移動チェック飛車(board, 移動元X, 移動元Y, 移動先X, 移動先Y);
        case UPPER_ROOK_PROMOTED:
            return isStep(dx, dy) || 移動チェック飛車(board, 移動元X, 移動元Y, 移動先X, 移動先Y);
        case UPPER_KING:
        case PRINCE:
            return isStep(dx, dy);
        default:
            return false;
    }
}

}
