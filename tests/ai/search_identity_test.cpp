#include <gtest/gtest.h>

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
// (a game that is decided earlier stops there).
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
            if (move == 4 || move == 10 || move == 16) out.push_back(p);
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
    {3, -4, 6, 1291},
    {1, -18332, 18, 168568},
    {0, -1, 2, 29},
    {0, -4, 6, 1405},
    {0, -18078, 16, 137375},
    {3, -11, 2, 30},
    {2, -10, 6, 690},
    {2, -10, 21, 185476},
    {3, -2, 2, 26},
    {2, -2, 6, 535},
    {1, -17566, 24, 163585},
    {2, -4, 2, 23},
    {2, -1, 6, 595},
    {2, 3, 28, 313096},
    {2, -11, 2, 21},
    {2, -11, 6, 758},
    {1, -6, 22, 218899},
    {2, -4, 2, 23},
    {2, -1, 6, 595},
    {2, 3, 28, 313096},
    {2, -11, 2, 21},
    {2, -11, 6, 758},
    {1, -6, 22, 218899},
    {3, -5, 2, 31},
    {3, -7, 6, 522},
    {1, -6, 24, 156166},
    {2, 0, 2, 27},
    {2, 0, 6, 673},
    {2, -18590, 24, 141140},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 0, 2, 27},
    {2, 0, 6, 1150},
    {2, 0, 21, 326635},
    {0, 0, 2, 27},
    {0, 0, 6, 1173},
    {0, -2, 20, 275154},
    {0, -1, 2, 27},
    {0, -1, 6, 1109},
    {2, -18330, 17, 127006},
    {0, 0, 2, 31},
    {1, 0, 6, 1120},
    {1, -1, 19, 139624},
    {3, -1, 2, 26},
    {3, -3, 6, 787},
    {2, -18330, 20, 217150},
    {2, 0, 2, 27},
    {2, 0, 6, 1041},
    {0, -10, 19, 139270},
    {1, -6, 2, 22},
    {1, -6, 6, 758},
    {0, -9, 20, 178406},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {2, 29999, 1, 4},
    {3, -2, 2, 26},
    {2, -1, 6, 898},
    {2, -18330, 19, 260375},
    {1, 3, 2, 27},
    {2, -2, 6, 1012},
    {0, 1, 19, 257704},
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
