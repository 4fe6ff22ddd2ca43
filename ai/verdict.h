#pragma once

namespace quorvel::engine {

// What the analysis finds in one position (ai/analysis.h). Sides are named by the sign of their
// pieces: the upper side +1, the lower side -1. Free of the engine's other headers, so the
// window's headers can hold verdicts.
struct Verdict {
    // The engine's score for 先手: positive when 先手 stands better; WIN_SCORE less the moves
    // to the end when a win of 先手 is proved, its negation for a loss.
    int evaluation = 0;
    // For the side of sign `side` in the position: +1 a proved win, -1 a proved loss, 0 none;
    // within `moves` moves of either side (0 when the game has ended there).
    int proven = 0;
    int moves = 0;
    int side = 0;
    // For a game ended at the position: the sign of the winner, 0 for none.
    int winner = 0;
};

// +1 when the verdict proves a win for the side of sign `side`, -1 a loss, 0 neither.
int provenFor(const Verdict& verdict, int side);

enum class MoveMark { None, LetWinGo, WalkedIntoLoss };

// The mark of the move of the side of sign mover from the position judged `before` to the one
// judged `after`: it let a proved win go, or it walked into a proved loss.
MoveMark markOf(const Verdict& before, const Verdict& after, int mover);

}
