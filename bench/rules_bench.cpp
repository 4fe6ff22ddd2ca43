#include <benchmark/benchmark.h>

#include <vector>

#include "ai/trials.h"
#include "rules/gravity.h"

namespace quorvel {
namespace {

Board firstPosition() {
    Board b;
    layFirstPosition(b);
    return b;
}

// Mid-game positions reached from the first position by fixed sequences of magnets.
std::vector<Board> midGamePositions() {
    const char* sequences[] = {"上左下右上", "下下左上右左", "右上左左下", "左右上下左右上下"};
    std::vector<Board> boards;
    for (const char* sequence : sequences) {
        Board b = firstPosition();
        std::string_view rest(sequence);
        while (!rest.empty()) {
            // Each direction word is one three-byte UTF-8 character.
            重力処理_仮(b, rest.substr(0, 3));
            rest.remove_prefix(3);
        }
        boards.push_back(b);
    }
    return boards;
}

void BM_ComputerChoiceFirstPosition(benchmark::State& state) {
    Board board = firstPosition();
    Board saved;
    KingSquares kings;
    const Sides sides{SIDE_GOTE, SIDE_SENTE};
    for (auto _ : state) {
        TrialResult r = tryDirections(board, saved, kings, sides);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ComputerChoiceFirstPosition);

void BM_ComputerChoiceMidGame(benchmark::State& state) {
    std::vector<Board> boards = midGamePositions();
    Board saved;
    KingSquares kings;
    const Sides sides{SIDE_GOTE, SIDE_SENTE};
    std::size_t i = 0;
    for (auto _ : state) {
        TrialResult r = tryDirections(boards[i], saved, kings, sides);
        benchmark::DoNotOptimize(r);
        i = (i + 1) % boards.size();
    }
}
BENCHMARK(BM_ComputerChoiceMidGame);

void BM_GravitySlideDown(benchmark::State& state) {
    const Board first = firstPosition();
    for (auto _ : state) {
        Board b = first;
        const int steps = slide(b, Direction::Down);
        benchmark::DoNotOptimize(steps);
        benchmark::DoNotOptimize(b);
    }
}
BENCHMARK(BM_GravitySlideDown);

}
}
