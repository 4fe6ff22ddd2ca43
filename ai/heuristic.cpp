#include "ai/heuristic.h"

#include "ai/attack.h"

#include <array>
#include <cstdint>

namespace quorvel::engine {

namespace {

// Weights by kind (index 1..14) of an attacker beside the king and two squares away.
constexpr std::array<int, KIND_COUNT> NEAR_WEIGHT{0, 3, 3, 3, 5, 5, 4, 4, 4, 5, 5, 5, 5, 6, 6};
constexpr std::array<int, KIND_COUNT> FAR_WEIGHT{0, 1, 2, 4, 2, 2, 2, 2, 1, 2, 2, 2, 2, 3, 3};

// The same weights by the byte a cell holds, one table a side: zero for anything but that
// side's pieces, so that the neighbourhood loop needs no test.
using ByteTable = std::array<std::uint8_t, 256>;
constexpr ByteTable byteTable(const std::array<int, KIND_COUNT>& weights, int s) {
    ByteTable table{};
    for (int kind = 1; kind < KIND_COUNT; ++kind) {
        table[static_cast<std::uint8_t>(kind * s)] = static_cast<std::uint8_t>(weights[kind]);
    }
    return table;
}
constexpr ByteTable UPPER_NEAR = byteTable(NEAR_WEIGHT, UPPER);
constexpr ByteTable LOWER_NEAR = byteTable(NEAR_WEIGHT, LOWER);
constexpr ByteTable UPPER_FAR = byteTable(FAR_WEIGHT, UPPER);
constexpr ByteTable LOWER_FAR = byteTable(FAR_WEIGHT, LOWER);

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

// For a king's cell, the cells of the board squares beside it and of those two squares away.
// A square off the board names cell 0, a wall, which weighs nothing: every king has the same
// count of both and the loops a fixed length.
constexpr int NEAR_COUNT = 8;
constexpr int FAR_COUNT = 16;
struct Neighbourhood {
    std::array<std::uint8_t, NEAR_COUNT> near{};
    std::array<std::uint8_t, FAR_COUNT> far{};
};

// For every cell, the board squares at most two columns and two rows away from it.
constexpr std::array<Neighbourhood, CELLS> neighbourhoods() {
    std::array<Neighbourhood, CELLS> table{};
    for (int kx = 1; kx <= boardSize; ++kx) {
        for (int ky = 1; ky <= boardSize; ++ky) {
            Neighbourhood& n = table[cellOf(kx, ky)];
            int nearCount = 0;
            int farCount = 0;
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dy = -2; dy <= 2; ++dy) {
                    if (dx == 0 && dy == 0) continue;
                    const int x = kx + dx;
                    const int y = ky + dy;
                    const auto cell = static_cast<std::uint8_t>(isOnBoard(x, y) ? cellOf(x, y) : 0);
                    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
                        n.near[nearCount++] = cell;
                    } else {
                        n.far[farCount++] = cell;
                    }
                }
            }
        }
    }
    return table;
}
constexpr std::array<Neighbourhood, CELLS> NEIGHBOURHOODS = neighbourhoods();

constexpr bool slidesAlong(int kind, const Ray& ray, int attacker) {
    if (ray.orthogonal) {
        if (kind == ROOK || kind == ROOK_PROMOTED) return true;
        // A lance stands behind the king as seen from its side's forward direction.
        return kind == LANCE && ray.offset == -attacker;
    }
    return kind == BISHOP || kind == BISHOP_PROMOTED;
}

// For the side of sign s and every byte a cell may hold: bit r set when it is a piece of that
// side that slides toward the king along ray r.
using SliderTable = std::array<std::uint8_t, 256>;
constexpr SliderTable sliderTable(int s) {
    SliderTable table{};
    for (int c = -128; c < 128; ++c) {
        const int kind = c * s;
        if (kind <= NO_PIECE || kind >= KIND_COUNT) continue;
        for (int r = 0; r < 8; ++r) {
            if (slidesAlong(kind, RAYS[r], s)) {
                table[static_cast<std::uint8_t>(c)] |= static_cast<std::uint8_t>(1u << r);
            }
        }
    }
    return table;
}
constexpr SliderTable UPPER_SLIDERS = sliderTable(UPPER);
constexpr SliderTable LOWER_SLIDERS = sliderTable(LOWER);

// The threat of the side of sign S, with its tables known when compiled.
template <int S>
Threat threatOf(const Position& position) {
    const int king = S == UPPER ? position.lowerKing : position.upperKing;
    if (king == NO_SQUARE) return {};
    const std::int8_t* cells = position.cells.data();
    const Neighbourhood& around = NEIGHBOURHOODS[king];
    const ByteTable& near = S == UPPER ? UPPER_NEAR : LOWER_NEAR;
    const ByteTable& far = S == UPPER ? UPPER_FAR : LOWER_FAR;
    int score = 0;
    bool attacks = false;
    for (int n = 0; n < NEAR_COUNT; ++n)
        score += near[static_cast<std::uint8_t>(cells[around.near[n]])];
    for (int n = 0; n < FAR_COUNT; ++n)
        score += far[static_cast<std::uint8_t>(cells[around.far[n]])];
    // Along each ray: the first piece met, or the second behind one other piece (the prince
    // counts as a piece), when it is a piece of the attacker that slides along the ray.
    const SliderTable& sliders = S == UPPER ? UPPER_SLIDERS : LOWER_SLIDERS;
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) {  // unrolled: each ray's step is a constant of the code
        const int offset = RAYS[r].offset;
        int i = king + offset;
        while (cells[i] == NO_PIECE)
            i += offset;
        if (cells[i] == WALL) continue;
        if ((sliders[static_cast<std::uint8_t>(cells[i])] >> r) & 1u) {
            score += LINED_UP_OPEN;
            attacks = true;
            continue;
        }
        i += offset;
        while (cells[i] == NO_PIECE)
            i += offset;
        if ((sliders[static_cast<std::uint8_t>(cells[i])] >> r) & 1u) score += LINED_UP_BLOCKED;
    }
    // A long-range piece lined up with the king on an open line attacks it; the other pieces
    // attack it by a step or a jump.
    return {score, attacks || attacksKingByStep(position, S)};
}

}

Threat threat(const Position& position, int attacker) {
    return attacker == UPPER ? threatOf<UPPER>(position) : threatOf<LOWER>(position);
}

int pressure(const Position& position, int attacker) {
    return threat(position, attacker).pressure;
}

int evaluate(const Position& position, int side) {
    return pressure(position, side) - pressure(position, -side);
}

}
