#pragma once

// The pictures of the help window: parts of a board drawn with the game's own pictures, with
// the magnets beside them, outlines and the squares a piece reaches, and the positions they show,
// worked out by the game's rules.

#include <QImage>
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/gravity.h"

namespace quorvel {

class PictureSet;

struct DiagramOutline {
    Square square;
    int colourIndex;
};

// A rectangle of board squares (columns fromX..toX, rows fromY..toY), normally inside a frame one
// cell wide where the chosen magnets stand beside the middle of their side.
struct Diagram {
    Board board;
    int fromX = 1;
    int toX = boardSize;
    int fromY = 1;
    int toY = boardSize;
    std::vector<Direction> magnets;
    // The magnet just pressed: outlined in yellow.
    std::optional<Direction> pressed;
    std::vector<DiagramOutline> outlines;
    // Squares a piece reaches: tinted.
    std::vector<Square> reached;
    // Without the frame (and its magnets) the squares fill the picture.
    bool frame = true;
};

// Draws a diagram at the pictures' device pixel ratio; the image carries that ratio and measures
// 33 x 41 logical pixels a cell, frame included.
QImage drawDiagram(const Diagram& diagram, const PictureSet& pictures);

// A press on a magnet as the game plays it on a board: the prince steps when it can, then
// everything else slides. Returns whether the prince stepped.
bool playMagnet(Board& board, Direction direction);

// The prince's square on a board; (0, 0) when there is none.
Square princeOf(const Board& board);

// A game's end from the first position: the shortest series of magnet presses (tried left,
// right, up, down in turn) after which one side attacks the other's king, found with the game's
// rules. `before` is the position before the last press.
struct WinExample {
    std::vector<Direction> presses;
    Board before;
    Board after;
    Square attacker;
    Square king;
    bool lowerWins = false;
};
std::optional<WinExample> findWinExample(int maxPresses);

// The squares a piece on square (5, 5) of an empty board reaches in one move.
std::vector<Square> reachOf(int code);

}
