#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "ai/position.h"
#include "ai/transposition.h"
#include "ai/win_rules.h"

namespace quorvel::engine {

// Scores of decided positions: a win after q more moves scores WIN_SCORE - q, so the search
// prefers the quickest win and the slowest loss. Undecided positions score far less.
inline constexpr int WIN_SCORE = 30000;
inline constexpr int DECIDED_SCORE = WIN_SCORE - 1000;

// How far a search goes. Iterative deepening runs depth 1, 2, ... up to maxDepth; after a
// finished iteration of at least minDepth it stops once nodeBudget positions have been
// searched. An iteration deeper than minDepth that passes nodeCap positions is abandoned and
// the previous one's move stands; up to minDepth only SAFETY_CAP, far above any normal search,
// can abandon one. Every bound counts positions, so the result never depends on the machine.
inline constexpr std::uint64_t SAFETY_CAP = 200'000'000;

struct SearchLimits {
    int minDepth = 1;
    int maxDepth = 1;
    std::uint64_t nodeBudget = UINT64_MAX;
    std::uint64_t nodeCap = UINT64_MAX;
};

struct SearchResult {
    Direction best = Direction::Left;
    int score = 0;            // for the side to move
    int depth = 0;            // of the last finished iteration
    std::uint64_t nodes = 0;  // positions reached by a move
};

// A position that came earlier in the game, with the sign of the side that was to move in it.
struct Earlier {
    Position position;
    int side = LOWER;
};

// A position that the searching side brings back (the same squares, the same side to move) is
// a draw that the searching side dislikes more than any undecided position but less than a
// loss: it prefers every move that does not lose to one that repeats. The opponent's own
// returns are searched on as ordinary moves, since the game does not end there. A return after
// q moves of the search to a position last seen a positions before scores
// REPEAT_SCORE + q * REPEAT_PLY_STEP + min(a, REPEAT_PLY_STEP - 1): the later the better, and
// when every line returns at once, to the position not seen for longest, so that in a small
// closed set of positions the level keeps trying new ways rather than turn in one circle.
inline constexpr int REPEAT_SCORE = -20000;
inline constexpr int REPEAT_PLY_STEP = 128;

// Under the 千日手 rule (WinRules::repetitionDraw), a move that makes a position's fourth
// occurrence (counting the game's earlier positions, the root and the line searched) and wins
// no test ends the game as a draw: 0 for both sides, whoever moves. So a level prefers a win,
// then a draw, then a loss; a return of the searching side that is such a fourth occurrence is
// the draw, not a return.
inline constexpr int DRAW_SCORE = 0;

// How a fallible opponent answers: the magnet it presses for the side of sign side in the
// position.
using ReplyModel = std::function<Direction(const Position&, int side)>;

// The best magnet for the side of sign side in an undecided position, by an alpha-beta
// search over the four magnets with the transposition table (cleared for this search).
// earlier: the positions before root in the game, oldest first; the root and the positions
// along the searched line count as earlier too. model, when given: when an opponent who plays
// its best would hold every move that does not lose to a return, and the opponent's move into
// root (from the last earlier position) was the one model gives, a move among those that wins
// within a few moves against an opponent answering as model does is played instead.
SearchResult search(const Position& root, int side, const WinRules& rules,
                    const SearchLimits& limits, TranspositionTable& table,
                    std::span<const Earlier> earlier = {}, const ReplyModel& model = {});

}
