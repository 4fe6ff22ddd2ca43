#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "random_positions.h"
#include "rules/board_text.h"
#include "rules/gravity.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kSeeds = 4000;

// The squares of line `index` (0..8) read toward the magnet: the last one touches it.
std::array<Square, boardSize> lineToward(Direction direction, int index) {
    const bool alongRow = direction == Direction::Left || direction == Direction::Right;
    const bool backward = direction == Direction::Left || direction == Direction::Up;
    std::array<Square, boardSize> line;
    for (int i = 0; i < boardSize; ++i) {
        const int along = backward ? boardSize - i : i + 1;
        line[i] = alongRow ? Square{along, index + 1} : Square{index + 1, along};
    }
    return line;
}

// The whole law of a slide, worked out line by line without stepping: the prince stays, and each
// run of squares between the prince and an edge keeps its pieces in their order, packed against
// the run's stop (the magnet's edge or the prince). A piece that has to travel d squares arrives
// after d steps, or one step after the piece ahead of it when that one arrives later.
int settle(Board& board, Direction direction) {
    int steps = 0;
    for (int index = 0; index < boardSize; ++index) {
        const auto line = lineToward(direction, index);
        int stop = boardSize;  // the squares from `stop` on are already settled
        for (int i = boardSize - 1; i >= -1; --i) {
            if (i >= 0 && board(line[i].x, line[i].y) != PRINCE) continue;
            int arrival = 0;  // of the piece ahead, in steps
            int to = stop - 1;
            for (int from = stop - 1; from > i; --from) {
                const int code = board(line[from].x, line[from].y);
                if (code == EMPTY) continue;
                board(line[from].x, line[from].y) = EMPTY;
                board(line[to].x, line[to].y) = code;
                arrival = to == from ? 0 : std::max(to - from, arrival + 1);
                steps = std::max(steps, arrival);
                --to;
            }
            stop = i;
        }
    }
    return steps;
}

TEST(GravityProperties, EveryLineKeepsItsOrderAndPacksAgainstItsStop) {
    for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        const testing::RandomPosition p = testing::randomPosition(seed);
        const Direction direction = static_cast<Direction>(seed % 4);
        Board expected = p.board;
        const int expectedSteps = settle(expected, direction);

        Board animated = p.board;
        int callbacks = 0;
        Board lastSeen;
        const int steps = slide(animated, direction, [&](const Board& b) {
            ++callbacks;
            lastSeen = b;
        });
        SCOPED_TRACE("seed " + std::to_string(seed) + " " + std::string(wordOf(direction)) + "\n" +
                     toText(p.board));
        ASSERT_EQ(toText(animated), toText(expected));
        ASSERT_EQ(steps, expectedSteps);
        ASSERT_EQ(callbacks, steps);
        if (steps > 0) {
            ASSERT_EQ(lastSeen, animated);
        }
    }
}

}
}
