#include "ai/trials.h"

#include "ai/evaluation.h"
#include "ai/survey.h"

namespace quorvel {

TrialResult tryDirections(Board& board, Board& savedBoard, KingSquares& kings, const Sides& sides) {
    TrialResult result;
    savedBoard = board;
    for (const Direction direction : TRIAL_ORDER) {
        const std::string_view word = wordOf(direction);
        重力処理_仮(board, word);
        勢力調査(board, kings);
        const int score = 盤評価(board, savedBoard, kings, sides);
        board = savedBoard;
        if (score > result.bestScore) {
            result.bestScore = score;
            result.bestDirection = std::string(word);
        }
    }
    return result;
}

}
