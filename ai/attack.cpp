#include "ai/attack.h"

#include <array>
#include <cstdint>

namespace quorvel::engine {

namespace {

using KindMask = std::uint32_t;

constexpr KindMask bit(int kind) {
    return KindMask{1} << kind;
}

constexpr KindMask GOLD_LIKE = bit(GOLD) | bit(PAWN_PROMOTED) | bit(LANCE_PROMOTED) |
                               bit(KNIGHT_PROMOTED) | bit(SILVER_PROMOTED);
constexpr KindMask EVERY_STEP = bit(KING) | bit(BISHOP_PROMOTED) | bit(ROOK_PROMOTED);
constexpr KindMask ORTHOGONAL_RAY = bit(ROOK) | bit(ROOK_PROMOTED);
constexpr KindMask DIAGONAL_RAY = bit(BISHOP) | bit(BISHOP_PROMOTED);

// The kinds of the upper side that step by (dx, dy); the upper side's forward is +y.
constexpr KindMask stepKinds(int dx, int dy) {
    KindMask m = EVERY_STEP;
    if (dy == 1) m |= GOLD_LIKE | bit(SILVER);
    if (dy == 1 && dx == 0) m |= bit(PAWN);
    if (dy == 0) m |= GOLD_LIKE;
    if (dy == -1 && dx == 0) m |= GOLD_LIKE;
    if (dy == -1 && dx != 0) m |= bit(SILVER);
    return m;
}

struct Probe {
    int offset;  // from the king's cell to the attacker's
    KindMask kinds;
};

// For the side of sign s, a piece on king + offset that reaches the king by one step: a move
// (dx, dy) of the upper side is (dx, s * dy) for the side of sign s.
constexpr std::array<Probe, 8> stepProbes(int s) {
    std::array<Probe, 8> probes{};
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            probes[n++] = {-(dx * STRIDE + s * dy), stepKinds(dx, dy)};
        }
    }
    return probes;
}

struct Ray {
    int offset;  // one square further from the king
    KindMask kinds;
};

// Rays from the king outward. A lance of the side of sign s stands behind the king as seen
// from that side's forward direction.
constexpr std::array<Ray, 8> rays(int s) {
    return {{{1, ORTHOGONAL_RAY | (s == LOWER ? bit(LANCE) : 0)},
             {-1, ORTHOGONAL_RAY | (s == UPPER ? bit(LANCE) : 0)},
             {STRIDE, ORTHOGONAL_RAY},
             {-STRIDE, ORTHOGONAL_RAY},
             {STRIDE + 1, DIAGONAL_RAY},
             {STRIDE - 1, DIAGONAL_RAY},
             {-STRIDE + 1, DIAGONAL_RAY},
             {-STRIDE - 1, DIAGONAL_RAY}}};
}

constexpr std::array<Probe, 8> UPPER_STEPS = stepProbes(UPPER);
constexpr std::array<Probe, 8> LOWER_STEPS = stepProbes(LOWER);
constexpr std::array<Ray, 8> UPPER_RAYS = rays(UPPER);
constexpr std::array<Ray, 8> LOWER_RAYS = rays(LOWER);

// The kind of an attacker's piece on a cell, or a value outside 1..14 for anything else.
inline int attackerKind(std::int8_t cell, int s) {
    return cell * s;
}

inline bool holds(KindMask kinds, int kind) {
    return kind > NO_PIECE && kind < KIND_COUNT && ((kinds >> kind) & 1u) != 0;
}

}

bool attacksKing(const Position& position, int attacker) {
    const int king = attacker == UPPER ? position.lowerKing : position.upperKing;
    if (king == NO_SQUARE) return false;
    const std::int8_t* cells = position.cells.data();
    const auto& steps = attacker == UPPER ? UPPER_STEPS : LOWER_STEPS;
    for (const Probe& probe : steps) {
        if (holds(probe.kinds, attackerKind(cells[king + probe.offset], attacker))) return true;
    }
    // A knight jumps two squares forward and one aside.
    const int back = -2 * attacker;
    if (attackerKind(cells[king + back + STRIDE], attacker) == KNIGHT) return true;
    if (attackerKind(cells[king + back - STRIDE], attacker) == KNIGHT) return true;
    const auto& lines = attacker == UPPER ? UPPER_RAYS : LOWER_RAYS;
    for (const Ray& ray : lines) {
        int i = king + ray.offset;
        while (cells[i] == NO_PIECE)
            i += ray.offset;
        if (holds(ray.kinds, attackerKind(cells[i], attacker))) return true;
    }
    return false;
}

}
