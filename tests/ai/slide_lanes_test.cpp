#include <gtest/gtest.h>

#include <random>

#include "ai/position.h"
#include "random_positions.h"

namespace quorvel {
namespace {

// The slide works on whole columns of the padded board at once and writes the walls around
// them back itself: after any run of moves, the position equals the one built afresh from its
// board squares, walls, prince and kings included.
TEST(SlideLanes, KeepsTheWallsAndEqualsThePositionBuiltFromItsSquares) {
    int moved = 0;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        const testing::RandomPosition start = testing::randomPosition(seed);
        engine::Position p = engine::fromBoard(start.board, start.prince);
        std::mt19937 rng(seed);
        for (int move = 0; move < 6; ++move) {
            const engine::Position before = p;
            engine::play(p, static_cast<Direction>(rng() % 4));
            moved += p != before;
            const Square prince{engine::columnOf(p.prince), engine::rowOf(p.prince)};
            ASSERT_EQ(p, engine::fromBoard(engine::toBoard(p), prince))
                << "seed " << seed << " move " << move;
        }
    }
    EXPECT_GT(moved, 2000 * 6 / 2);
}

}
}
