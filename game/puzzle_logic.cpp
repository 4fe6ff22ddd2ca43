// The rules of a puzzle over plain positions: its position, whether the solver's win is still
// forced, the winning magnet and the defender's answer, all proved by the exhaustive prover under
// the rule between two humans.

#include <array>
#include <charconv>

#include "ai/prover.h"
#include "game/puzzle_play.h"
#include "game/record_replay.h"

namespace quorvel {

namespace {

constexpr std::array DIRECTIONS{Direction::Left, Direction::Right, Direction::Up, Direction::Down};

engine::WinRules puzzleRules(const Sides& sides) {
    return engine::winRulesOf({sides, WinTest::TwoHumans, false});
}

int signOf(const GamePosition& position, int side) {
    return side == position.sides.comSide ? engine::UPPER : engine::LOWER;
}

engine::Position searchPosition(const GamePosition& position) {
    return engine::fromBoard(position.board, {position.princeX, position.princeY});
}

}

std::size_t solvedPuzzles(const std::optional<std::string>& lineValue) {
    std::size_t count = 0;
    if (!lineValue || lineValue->empty()) return 0;
    const char* end = lineValue->data() + lineValue->size();
    const auto [stop, error] = std::from_chars(lineValue->data(), end, count);
    return error == std::errc{} && stop == end ? count : 0;
}

OptionValue progressOption(std::size_t count, std::string& countText) {
    countText = std::to_string(count);
    return {PUZZLE_PROGRESS_NAME, countText, "0", {}};
}

std::optional<GamePosition> puzzlePosition(const Puzzle& puzzle) {
    GamePosition position = startPosition(GameCommand::Start);
    for (const Direction direction : puzzle.moves) {
        if (applyMove(position, RecordedMove{direction, 0, 0, std::nullopt, 0})) return {};
        if (position.gameOver != SIDE_NONE) return {};
    }
    if (!winningMagnet(position, puzzle.n)) return {};
    return position;
}

bool winStillForced(const GamePosition& position, int solver, int movesLeft) {
    if (movesLeft <= 0) return false;
    const engine::WinRules rules = puzzleRules(position.sides);
    const int side = signOf(position, solver);
    const engine::Position before = searchPosition(position);
    for (const Direction reply : DIRECTIONS) {
        engine::Position after = before;
        engine::play(after, reply);
        const int outcome = engine::decide(after, -side, rules);
        if (outcome == 1) return false;
        if (outcome == 0 && !engine::forcedWinWithin(after, side, rules, movesLeft)) return false;
    }
    return true;
}

std::optional<Direction> winningMagnet(const GamePosition& position, int movesLeft) {
    const engine::WinRules rules = puzzleRules(position.sides);
    const int side = signOf(position, position.turn);
    const engine::Position before = searchPosition(position);
    for (const Direction own : DIRECTIONS) {
        engine::Position after = before;
        engine::play(after, own);
        const int outcome = engine::decide(after, side, rules);
        if (outcome == 1) return own;
        if (outcome == 0 && movesLeft > 1) {
            GamePosition next = position;
            next.board = engine::toBoard(after);
            next.princeX = engine::columnOf(after.prince);
            next.princeY = engine::rowOf(after.prince);
            if (winStillForced(next, position.turn, movesLeft - 1)) return own;
        }
    }
    return std::nullopt;
}

Direction defenceOf(const GamePosition& position, int movesLeft) {
    return engine::longestDefence(searchPosition(position), signOf(position, position.turn),
                                  puzzleRules(position.sides), movesLeft);
}

}
