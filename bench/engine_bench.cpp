#include <benchmark/benchmark.h>

#include <vector>

#include "ai/engine.h"
#include "ai/engine_levels.h"
#include "ai/search.h"
#include "game/computer_choice.h"
#include "game/record_replay.h"

namespace quorvel {
namespace {

constexpr SearchGame kGame{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer};

engine::Position firstPosition() {
    Board b;
    layFirstPosition(b);
    return engine::fromBoard(b, FIRST_PRINCE_SQUARE);
}

// The search alone to a fixed depth from the first position, for the side that moves first
// (the lower pieces) and for the computer moving first with the upper pieces.
void BM_SearchFirstPosition(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    const int side = state.range(1) == 0 ? engine::LOWER : engine::UPPER;
    engine::TranspositionTable table(20);
    const engine::Position p = firstPosition();
    const engine::WinRules rules = engine::winRulesOf(kGame);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        const engine::SearchResult r =
            engine::search(p, side, rules, {.minDepth = depth, .maxDepth = depth}, table);
        nodes += r.nodes;
        benchmark::DoNotOptimize(r);
    }
    state.counters["positions/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["positions"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SearchFirstPosition)
    ->ArgsProduct({{8, 10, 12}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// A position of a game and the positions before it, as the game's computer is given them.
struct GameMoment {
    GamePosition now;
    std::vector<GamePosition> before;
};

// The positions in which 上級 (upper pieces, the computer's seat) moves in games against 入門
// (lower pieces) from a few openings, played as the game plays them.
std::vector<GameMoment> gamePositions() {
    using enum Direction;
    const Direction openings[][6] = {{Up, Left, Down, Right, Left, Up},
                                     {Left, Up, Right, Down, Up, Left},
                                     {Down, Right, Up, Left, Down, Right}};
    std::vector<GameMoment> moments;
    for (const auto& opening : openings) {
        GameMoment g{startPosition(GameCommand::Sente), {}};
        const auto play = [&](Direction d) {
            g.before.push_back(g.now);
            RecordedMove move;
            move.direction = d;
            applyMove(g.now, move);
        };
        for (const Direction d : opening)
            play(d);
        for (int move = 0; move < 60 && g.now.gameOver == SIDE_NONE; ++move) {
            const bool expert = g.now.turn == g.now.sides.comSide;
            if (expert) moments.push_back(g);
            play(computerChoice(g.now, g.before, expert ? Level::上級 : Level::入門));
        }
    }
    return moments;
}

// One move of each level above 入門 over positions of a game: the whole choice of the game's
// computer, the game's earlier positions included.
void BM_LevelMove(benchmark::State& state) {
    static const std::vector<GameMoment> moments = gamePositions();
    const auto level = static_cast<Level>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(computerChoice(moments[i].now, moments[i].before, level));
        i = (i + 1) % moments.size();
    }
    state.counters["positions in game"] = static_cast<double>(moments.size());
}
BENCHMARK(BM_LevelMove)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}
}
