#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "ai/engine.h"
#include "ai/engine_levels.h"
#include "ai/search.h"
#include "rules/prince_step.h"

namespace quorvel {
namespace {

// What the search found for one position, side and level: the magnet, score, depth and the
// count of positions searched. Recorded once; any change of the search's speed work must give
// the same table, so the levels play the same games as before.
struct Recorded {
    int best;
    int score;
    int depth;
    std::uint64_t nodes;
    bool operator==(const Recorded&) const = default;
};

constexpr SearchGame kGame{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer};
constexpr std::array<Level, 3> kLevels{Level::初級, Level::中級, Level::上級};

// The first position, then the positions after 4, 10 and 16 seeded random magnets of a few games
// (a game that is decided earlier stops there), each position once.
std::vector<engine::Position> positions() {
    std::vector<engine::Position> out;
    for (std::uint32_t seed = 0; seed < 4; ++seed) {
        Board board;
        layFirstPosition(board);
        Square prince = FIRST_PRINCE_SQUARE;
        if (seed == 0) out.push_back(engine::fromBoard(board, prince));
        std::mt19937 rng(seed + 1);
        for (int move = 1; move <= 16; ++move) {
            const auto d = static_cast<Direction>(rng() % 4);
            stepPrince(board, prince, d);
            slide(board, d);
            const engine::Position p = engine::fromBoard(board, prince);
            const engine::WinRules rules = engine::winRulesOf(kGame);
            if (engine::decide(p, engine::UPPER, rules) != 0 ||
                engine::decide(p, engine::LOWER, rules) != 0) {
                break;
            }
            const bool seen = std::find(out.begin(), out.end(), p) != out.end();
            if ((move == 4 || move == 10 || move == 16) && !seen) out.push_back(p);
        }
    }
    return out;
}

std::vector<Recorded> searchAll() {
    std::vector<Recorded> out;
    engine::TranspositionTable table(20);
    const engine::WinRules rules = engine::winRulesOf(kGame);
    for (const engine::Position& p : positions()) {
        for (const int side : {engine::LOWER, engine::UPPER}) {
            for (const Level level : kLevels) {
                const engine::SearchResult r =
                    engine::search(p, side, rules, engine::limitsOf(level), table);
                out.push_back({static_cast<int>(r.best), r.score, r.depth, r.nodes});
            }
        }
    }
    return out;
}

// clang-format off
const std::vector<Recorded> kExpected{
    {0, -1, 2, 28},
    {3, -4, 6, 1344},
    {0, -17562, 18, 207348},
    {0, -1, 2, 29},
    {0, -4, 6, 1454},
    {0, -17, 16, 156145},
    {3, -11, 2, 30},
    {2, -10, 6, 698},
    {2, -17822, 22, 233475},
    {3, -2, 2, 26},
    {2, -2, 6, 572},
    {1, -9, 22, 204750},
    {2, -4, 2, 23},
    {2, 2, 6, 590},
    {2, -16282, 21, 129667},
    {2, -11, 2, 21},
    {2, -11, 6, 770},
    {1, -17050, 21, 163606},
    {3, -5, 2, 31},
    {3, -7, 6, 524},
    {1, -6, 60, 271132},
    {2, 0, 2, 27},
    {2, 0, 6, 723},
    {3, -14494, 23, 216804},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 0, 2, 27},
    {2, 0, 6, 1166},
    {2, 0, 21, 348576},
    {0, 0, 2, 27},
    {0, 0, 6, 1194},
    {3, -16284, 18, 213518},
    {0, -1, 2, 27},
    {0, -1, 6, 1172},
    {1, -13, 18, 192038},
    {0, 0, 2, 31},
    {1, 0, 6, 1144},
    {1, -4, 18, 191755},
    {3, -1, 2, 26},
    {3, -3, 6, 880},
    {0, -15770, 19, 203007},
    {2, 0, 2, 27},
    {2, 0, 6, 1059},
    {0, -7, 21, 270514},
    {1, -6, 2, 22},
    {1, -6, 6, 760},
    {0, -17050, 19, 174641},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {3, -2, 2, 26},
    {2, -1, 6, 959},
    {2, -6, 19, 246878},
    {1, 3, 2, 27},
    {2, -2, 6, 1029},
    {0, -3, 21, 340692},
};
// clang-format on

TEST(SearchIdentity, SameMovesScoresAndPositionCountsAsRecorded) {
    const std::vector<Recorded> found = searchAll();
    EXPECT_EQ(found.size(), kExpected.size());
    if (found == kExpected) return;
    ADD_FAILURE() << "the search differs from the recorded table; found:";
    for (const Recorded& r : found) {
        std::printf("    {%d, %d, %d, %llu},\n", r.best, r.score, r.depth,
                    static_cast<unsigned long long>(r.nodes));
    }
}

}
}
