#include "ai/engine.h"

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
    if (level == Level::入門) return beginnerChoice(board, sideToMove, game.sides);
    thread_local engine::TranspositionTable table(TABLE_LOG2_ENTRIES);
    const engine::Position position = engine::fromBoard(board, prince);
    const int side = sideToMove == game.sides.comSide ? engine::UPPER : engine::LOWER;
    return engine::search(position, side, engine::winRulesOf(game), engine::limitsOf(level), table)
        .best;
}

}
