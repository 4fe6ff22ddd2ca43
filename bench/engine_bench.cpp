#include <benchmark/benchmark.h>

#include <vector>

#include "ai/engine.h"
#include "ai/engine_levels.h"
#include "ai/search.h"
#include "rules/prince_step.h"

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

// Positions of a game between 上級 (upper pieces) and 入門 (lower pieces), every fifth move.
std::vector<std::pair<Board, Square>> gamePositions() {
    std::vector<std::pair<Board, Square>> positions;
    Board board;
    layFirstPosition(board);
    Square prince = FIRST_PRINCE_SQUARE;
    const Direction opening[] = {Direction::Up,    Direction::Left, Direction::Down,
                                 Direction::Right, Direction::Left, Direction::Up};
    int side = kGame.sides.manSide;
    for (const Direction d : opening) {
        stepPrince(board, prince, d);
        slide(board, d);
        side = -side;
    }
    for (int move = 0; move < 60; ++move) {
        const engine::Position p = engine::fromBoard(board, prince);
        if (engine::decide(p, engine::UPPER, engine::winRulesOf(kGame)) != 0 ||
            engine::decide(p, engine::LOWER, engine::winRulesOf(kGame)) != 0) {
            break;
        }
        if (side == kGame.sides.comSide && move % 5 == 0) positions.emplace_back(board, prince);
        const Level level = side == kGame.sides.comSide ? Level::上級 : Level::入門;
        const Direction d = chooseMagnet(board, prince, side, kGame, level);
        stepPrince(board, prince, d);
        slide(board, d);
        side = -side;
    }
    return positions;
}

// One move of each level above 入門 over positions of a game, the whole chooseMagnet call.
void BM_LevelMove(benchmark::State& state) {
    static const std::vector<std::pair<Board, Square>> positions = gamePositions();
    const auto level = static_cast<Level>(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& [board, prince] = positions[i];
        benchmark::DoNotOptimize(chooseMagnet(board, prince, kGame.sides.comSide, kGame, level));
        i = (i + 1) % positions.size();
    }
    state.counters["positions in game"] = static_cast<double>(positions.size());
}
BENCHMARK(BM_LevelMove)->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

}
}
