#include "ai/engine.h"

#include <vector>

#include "ai/engine_levels.h"
#include "ai/search.h"
#include "ai/trials.h"
#include "ai/turned_board.h"

namespace quorvel {

namespace {

// 入門: the one-move look-ahead of the four trials. The lower side looks ahead on the turned
// board, where its pieces are the upper ones, and presses the opposite magnet.
Direction beginnerChoice(const Board& board, int sideToMove, const Sides& sides) {
    const bool upper = sideToMove == sides.comSide;
    Board trial = upper ? board : turnedAround(board);
    Board saved;
    KingSquares kings;
    const TrialResult result = tryDirections(trial, saved, kings, sides);
    const Direction choice = directionFromWord(result.bestDirection).value_or(Direction::Left);
    return upper ? choice : opposite(choice);
}

// The square holding the prince, or none when the board has no prince.
Square princeOf(const Board& board) {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (board(x, y) == PRINCE) return {x, y};
        }
    }
    return {};
}

// 64 Mi bytes would be too much for a game; 2^20 entries of 16 bytes are 16 MiB.
constexpr int TABLE_LOG2_ENTRIES = 20;

}

namespace engine {

SearchLimits limitsOf(Level level) {
    switch (level) {
        case Level::入門:
        case Level::初級:
            return {.minDepth = 2, .maxDepth = 2};
        case Level::中級:
            return {.minDepth = 6, .maxDepth = 6};
        case Level::上級:
            return {.minDepth = 12, .maxDepth = 60, .nodeBudget = 100'000, .nodeCap = 500'000};
    }
    return {};
}

}

Direction chooseMagnet(const Board& board, Square prince, int sideToMove, const SearchGame& game,
                       Level level) {
    return chooseMagnet(board, prince, sideToMove, game, level, {});
}

Direction chooseMagnet(const Board& board, Square prince, int sideToMove, const SearchGame& game,
                       Level level, std::span<const EarlierPosition> earlier) {
    if (level == Level::入門) return beginnerChoice(board, sideToMove, game.sides);
    thread_local engine::TranspositionTable table(TABLE_LOG2_ENTRIES);
    const auto signOf = [&](int s) {
        return s == game.sides.comSide ? engine::UPPER : engine::LOWER;
    };
    std::vector<engine::Earlier> positions;
    positions.reserve(earlier.size());
    for (const EarlierPosition& e : earlier) {
        if (e.sideToMove != game.sides.comSide && e.sideToMove != game.sides.manSide) continue;
        positions.push_back({engine::fromBoard(e.board, princeOf(e.board)), signOf(e.sideToMove)});
    }
    const engine::Position position = engine::fromBoard(board, prince);
    // 上級 meets circles against a fallible opponent by assuming the commonest one: a player
    // who looks one move ahead, as 入門 does. It is used only among moves that do not lose, and
    // only while the opponent plays like it.
    const engine::ReplyModel lookAhead = [&](const engine::Position& p, int side) {
        return beginnerChoice(engine::toBoard(p),
                              side == engine::UPPER ? game.sides.comSide : game.sides.manSide,
                              game.sides);
    };
    return engine::search(position, signOf(sideToMove), engine::winRulesOf(game),
                          engine::limitsOf(level), table, positions,
                          level == Level::上級 ? lookAhead : engine::ReplyModel{})
        .best;
}

}
