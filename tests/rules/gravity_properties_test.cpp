#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "random_positions.h"
#include "rules/board_text.h"
#include "rules/gravity.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kSeeds = 4000;

// After a slide no piece other than the prince has an empty on-board square ahead of it.
bool isSettled(const Board& board, Direction direction) {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int code = board(x, y);
            if (code == EMPTY || code == PRINCE) continue;
            const Square ahead = stepToward(direction, x, y);
            if (isOnBoard(ahead.x, ahead.y) && board(ahead.x, ahead.y) == EMPTY) return false;
        }
    }
    return true;
}

TEST(GravityProperties, HoldOverManyRandomPositions) {
    for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        const testing::RandomPosition p = testing::randomPosition(seed);
        const Direction direction = static_cast<Direction>(seed % 4);
        const std::string word(wordOf(direction));

        Board animated = p.board;
        int callbacks = 0;
        Board lastSeen;
        const int steps = slide(animated, direction, [&](const Board& b) {
            ++callbacks;
            lastSeen = b;
        });
        Board silent = p.board;
        重力処理_仮(silent, word);

        SCOPED_TRACE("seed " + std::to_string(seed) + " " + word + "\n" + toText(p.board));
        ASSERT_EQ(testing::sortedCodes(animated), testing::sortedCodes(p.board))
            << "pieces were lost or made";
        ASSERT_EQ(animated(p.prince.x, p.prince.y), PRINCE) << "the prince slid";
        ASSERT_TRUE(isSettled(animated, direction)) << toText(animated);
        ASSERT_EQ(silent, animated) << "the two forms disagree";
        ASSERT_EQ(callbacks, steps);
        if (steps > 0) {
            ASSERT_EQ(lastSeen, animated);
        }
        ASSERT_LE(steps, boardSize - 1);
    }
}

}
}
