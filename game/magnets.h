#pragma once

#include <array>

#include "rules/gravity.h"
#include "rules/pieces.h"

namespace quorvel {

// A magnet beside the board: its picture code, the cell where it is drawn and clicked, and the
// direction it pulls toward.
struct Magnet {
    int code;
    int cellX;
    int cellY;
    Direction direction;
};

// In the order a press tests them: left, right, up, down.
inline constexpr std::array<Magnet, 4> MAGNETS{{
    {MAGNET_LEFT, -1, 5, Direction::Left},
    {MAGNET_RIGHT, 11, 5, Direction::Right},
    {MAGNET_UP, 5, -1, Direction::Up},
    {MAGNET_DOWN, 5, 11, Direction::Down},
}};

constexpr const Magnet& magnetOf(Direction direction) {
    for (const Magnet& m : MAGNETS) {
        if (m.direction == direction) return m;
    }
    return MAGNETS[0];
}

}
