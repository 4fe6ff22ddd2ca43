#pragma once

#include <optional>
#include <variant>
#include <vector>

#include "game/game_commands.h"
#include "game/position.h"
#include "storage/game_record.h"

namespace quorvel {

// The first position of a game begun with a command, as the command lays it out, played with or
// without the 千日手 rule.
GamePosition startPosition(GameCommand command, bool repetitionDraw = false);

// Plays one recorded move (with its mode switch) by the rules: the prince's step, the slide, the
// survey and the win tests of the mode and mover, then the hand-over. A move after a win or a
// 千日手 changes nothing and gives the error naming its line. Whether the move ends the game as
// 千日手 depends on the positions before it (endsInRepetition).
std::optional<RecordError> applyMove(GamePosition& position, const RecordedMove& move);

// Every position of a record, from the first (index 0) to the last (index moves.size()), the
// last marked drawn when the record ends as 千日手, or won by the other side when it ends with a
// resignation.
std::variant<std::vector<GamePosition>, RecordError> replayRecord(const GameRecord& record);

// The position in which move `index` (0-based) of the record is made: the position after the
// moves before it, with its mode switch applied.
GamePosition positionBeforeMove(const std::vector<GamePosition>& positions,
                                const GameRecord& record, std::size_t index);

// Whether the side to move in a position is a human player.
bool humanToMove(const GamePosition& position);

// The result line of a finished position ("まで<n>手で先手の勝ち", "まで<n>手で千日手"), empty
// for an unfinished one.
// 先手 is the player who moved first: the lower pieces, or the upper ones in a game begun by 後手.
std::string resultOf(const GamePosition& position, GameCommand startCommand);

}
