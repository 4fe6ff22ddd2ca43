// 棋譜 → 解析 without the window: every position of a 100-move record judged in turn. The moves
// come from a seeded generator that takes the first of the four magnets, from a random start,
// that does not end the game, so every position gets a full search.

#include <benchmark/benchmark.h>

#include <random>

#include "game/record_analysis.h"
#include "game/record_replay.h"

namespace quorvel {
namespace {

constexpr std::size_t RECORD_MOVES = 100;

GameHistory longRecord(unsigned seed) {
    std::mt19937 random(seed);
    GameHistory history;
    history.record.startedAt = "2026/01/01 00:00:00";
    GamePosition position = startPosition(GameCommand::Start);
    while (history.record.moves.size() < RECORD_MOVES) {
        const unsigned first = random() % 4;
        bool moved = false;
        for (unsigned k = 0; k < 4 && !moved; ++k) {
            RecordedMove move;
            move.direction = static_cast<Direction>((first + k) % 4);
            GamePosition next = position;
            if (applyMove(next, move) || next.gameOver != SIDE_NONE || next.drawn) continue;
            position = next;
            history.record.moves.push_back(move);
            moved = true;
        }
        if (!moved) break;
    }
    return history;
}

void analyseRecord(benchmark::State& state) {
    const auto subject = analysisSubjectOf(longRecord(static_cast<unsigned>(state.range(0))));
    engine::TranspositionTable table(20);
    for (auto _ : state) {
        for (std::size_t i = 0; i < subject->points.size(); ++i)
            benchmark::DoNotOptimize(
                engine::analysePosition(subject->points, i, subject->sente, table));
    }
    state.counters["positions"] = static_cast<double>(subject->points.size());
}
BENCHMARK(analyseRecord)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

}
}
