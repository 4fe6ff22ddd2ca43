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

// For the side of sign s and every byte a cell may hold: bit i set when a piece of that byte
// attacks the king from step probe i, bit 8 + i when it attacks along ray i, bit 16 when it is a
// knight of that side. Bytes that are no piece of the side (empty, the other side, the prince,
// a wall) have no bit set.
using ByteTable = std::array<std::uint32_t, 256>;
constexpr ByteTable byteTable(int s) {
    const std::array<Probe, 8> steps = stepProbes(s);
    const std::array<Ray, 8> lines = rays(s);
    ByteTable table{};
    for (int c = -128; c < 128; ++c) {
        const int kind = c * s;
        if (kind <= NO_PIECE || kind >= KIND_COUNT) continue;
        std::uint32_t bits = 0;
        for (int i = 0; i < 8; ++i) {
            if ((steps[i].kinds >> kind) & 1u) bits |= 1u << i;
            if ((lines[i].kinds >> kind) & 1u) bits |= 1u << (8 + i);
        }
        if (kind == KNIGHT) bits |= 1u << 16;
        table[static_cast<std::uint8_t>(c)] = bits;
    }
    return table;
}
constexpr ByteTable UPPER_BYTES = byteTable(UPPER);
constexpr ByteTable LOWER_BYTES = byteTable(LOWER);

inline std::uint32_t bitsOf(const ByteTable& table, std::int8_t cell) {
    return table[static_cast<std::uint8_t>(cell)];
}

// The step and jump part of the attack test for the side of sign S, on the king's cell, with its
// probes known when compiled.
template <int S>
bool attacksByStep(const std::int8_t* cells, int king) {
    constexpr std::array<Probe, 8> steps = stepProbes(S);
    const ByteTable& bytes = S == UPPER ? UPPER_BYTES : LOWER_BYTES;
    std::uint32_t hits = 0;
    for (int i = 0; i < 8; ++i)
        hits |= bitsOf(bytes, cells[king + steps[i].offset]) & (1u << i);
    // A knight jumps two squares forward and one aside.
    constexpr int back = -2 * S;
    hits |= bitsOf(bytes, cells[king + back + STRIDE]) & (1u << 16);
    hits |= bitsOf(bytes, cells[king + back - STRIDE]) & (1u << 16);
    return hits != 0;
}

// The whole attack test for the side of sign S.
template <int S>
bool attacksKingOf(const Position& position) {
    constexpr std::array<Ray, 8> lines = rays(S);
    const ByteTable& bytes = S == UPPER ? UPPER_BYTES : LOWER_BYTES;
    const int king = S == UPPER ? position.lowerKing : position.upperKing;
    if (king == NO_SQUARE) return false;
    const std::int8_t* cells = position.cells.data();
    if (attacksByStep<S>(cells, king)) return true;
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {  // unrolled: each ray's step is a constant of the code
        const int offset = lines[r].offset;
        int i = king + offset;
        while (cells[i] == NO_PIECE)
            i += offset;
        if ((bitsOf(bytes, cells[i]) >> (8 + r)) & 1u) return true;
    }
    return false;
}

}

bool attacksKing(const Position& position, int attacker) {
    return attacker == UPPER ? attacksKingOf<UPPER>(position) : attacksKingOf<LOWER>(position);
}

bool attacksKingByStep(const Position& position, int attacker) {
    const int king = attacker == UPPER ? position.lowerKing : position.upperKing;
    if (king == NO_SQUARE) return false;
    return attacker == UPPER ? attacksByStep<UPPER>(position.cells.data(), king)
                             : attacksByStep<LOWER>(position.cells.data(), king);
}

}
