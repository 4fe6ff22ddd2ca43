#include "ai/heuristic.h"

#include <algorithm>
#include <array>

namespace quorvel::engine {

namespace {

// Weights by kind (index 1..14) of an attacker beside the king and two squares away.
constexpr std::array<int, KIND_COUNT> NEAR_WEIGHT{0, 3, 3, 3, 5, 5, 4, 4, 4, 5, 5, 5, 5, 6, 6};
constexpr std::array<int, KIND_COUNT> FAR_WEIGHT{0, 1, 2, 4, 2, 2, 2, 2, 1, 2, 2, 2, 2, 3, 3};

constexpr int LINED_UP_OPEN = 40;    // the line to the king is open
constexpr int LINED_UP_BLOCKED = 7;  // one piece stands between

struct Ray {
    int offset;
    bool orthogonal;
};
constexpr std::array<Ray, 8> RAYS{{{1, true},
                                   {-1, true},
                                   {STRIDE, true},
                                   {-STRIDE, true},
                                   {STRIDE + 1, false},
                                   {STRIDE - 1, false},
                                   {-STRIDE + 1, false},
                                   {-STRIDE - 1, false}}};

bool slidesAlong(int kind, const Ray& ray, int attacker) {
    if (ray.orthogonal) {
        if (kind == ROOK || kind == ROOK_PROMOTED) return true;
        // A lance stands behind the king as seen from its side's forward direction.
        return kind == LANCE && ray.offset == -attacker;
    }
    return kind == BISHOP || kind == BISHOP_PROMOTED;
}

}

int pressure(const Position& position, int attacker) {
    const int king = attacker == UPPER ? position.lowerKing : position.upperKing;
    if (king == NO_SQUARE) return 0;
    const std::int8_t* cells = position.cells.data();
    const int kx = columnOf(king);
    const int ky = rowOf(king);
    int score = 0;
    for (int x = std::max(1, kx - 2); x <= std::min(boardSize, kx + 2); ++x) {
        const bool nearColumn = x - kx <= 1 && kx - x <= 1;
        for (int y = std::max(1, ky - 2); y <= std::min(boardSize, ky + 2); ++y) {
            const int kind = cells[cellOf(x, y)] * attacker;
            if (kind <= NO_PIECE || kind >= KIND_COUNT) continue;
            const bool near = nearColumn && y - ky <= 1 && ky - y <= 1;
            score += near ? NEAR_WEIGHT[kind] : FAR_WEIGHT[kind];
        }
    }
    for (const Ray& ray : RAYS) {
        int blockers = 0;
        for (int i = king + ray.offset; cells[i] != WALL && blockers <= 1; i += ray.offset) {
            const int c = cells[i];
            if (c == NO_PIECE) continue;
            const int kind = c * attacker;
            if (kind > NO_PIECE && kind < KIND_COUNT && slidesAlong(kind, ray, attacker)) {
                score += blockers == 0 ? LINED_UP_OPEN : LINED_UP_BLOCKED;
                break;
            }
            ++blockers;
        }
    }
    return score;
}

int evaluate(const Position& position, int side) {
    return pressure(position, side) - pressure(position, -side);
}

}
