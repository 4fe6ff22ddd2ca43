#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

#include "ai/prover.h"
#include "game/computer_choice.h"
#include "game/record_replay.h"
#include "storage/puzzle_file.h"

namespace quorvel {
namespace {

std::vector<Puzzle> shippedPuzzles() {
    std::ifstream in(PUZZLE_FILE, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    auto parsed = parsePuzzles(text.str());
    if (const auto* error = std::get_if<PuzzleFileError>(&parsed))
        ADD_FAILURE() << "line " << error->line << ": " << error->message;
    return std::get_if<std::vector<Puzzle>>(&parsed) ? std::get<std::vector<Puzzle>>(parsed)
                                                     : std::vector<Puzzle>{};
}

// Every puzzle's position is reached by play with no win on the way; its side to move wins
// within N against every defence, not within N - 1, and by one first move only; the file is
// sorted by N, then by the defender positions its proof has to look at.
TEST(PuzzleProof, EveryShippedPuzzleIsProved) {
    const std::vector<Puzzle> puzzles = shippedPuzzles();
    EXPECT_GE(puzzles.size(), 300u);
    std::array<int, MAX_PUZZLE_N + 1> byN{};
    std::tuple<int, long> previous{0, 0};
    for (const Puzzle& puzzle : puzzles) {
        SCOPED_TRACE(puzzle.id);
        GamePosition p = startPosition(GameCommand::Start);
        for (const Direction d : puzzle.moves) {
            RecordedMove move;
            move.direction = d;
            ASSERT_FALSE(applyMove(p, move).has_value());
            ASSERT_EQ(p.gameOver, SIDE_NONE);
        }
        const engine::WinRules rules = engine::winRulesOf(searchGameOf(p));
        const engine::Position position = engine::fromBoard(p.board, {p.princeX, p.princeY});
        const int side = p.turn == p.sides.comSide ? engine::UPPER : engine::LOWER;
        EXPECT_EQ(engine::forcedWinWithin(position, side, rules, puzzle.n), puzzle.n);
        EXPECT_EQ(engine::winningFirstMoves(position, side, rules, puzzle.n).size(), 1u);
        const std::tuple<int, long> rank{
            puzzle.n, engine::defenderPositions(position, side, rules, puzzle.n)};
        EXPECT_LE(previous, rank);
        previous = rank;
        ++byN[static_cast<std::size_t>(puzzle.n)];
    }
    for (int n = MIN_PUZZLE_N; n <= MAX_PUZZLE_N; ++n)
        EXPECT_GE(byN[static_cast<std::size_t>(n)], 30) << "N = " << n;
}

}
}
