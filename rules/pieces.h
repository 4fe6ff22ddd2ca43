#pragma once

// Piece, picture and side codes shared by the rules, the computer player and the drawing.
// A code of 10 or more is an upper-side piece (or the prince), -10 or less a lower-side piece.

namespace quorvel {

inline constexpr int EMPTY = 0;

inline constexpr int UPPER_PAWN = 10;
inline constexpr int UPPER_LANCE = 20;
inline constexpr int UPPER_KNIGHT = 30;
inline constexpr int UPPER_SILVER = 100;
inline constexpr int UPPER_GOLD = 110;
inline constexpr int UPPER_BISHOP = 800;
inline constexpr int UPPER_ROOK = 900;
inline constexpr int UPPER_KING = 950;

inline constexpr int LOWER_PAWN = -UPPER_PAWN;
inline constexpr int LOWER_LANCE = -UPPER_LANCE;
inline constexpr int LOWER_KNIGHT = -UPPER_KNIGHT;
inline constexpr int LOWER_SILVER = -UPPER_SILVER;
inline constexpr int LOWER_GOLD = -UPPER_GOLD;
inline constexpr int LOWER_BISHOP = -UPPER_BISHOP;
inline constexpr int LOWER_ROOK = -UPPER_ROOK;
inline constexpr int LOWER_KING = -UPPER_KING;

// Promoted forms: nothing in this game promotes, but the move rules accept them.
inline constexpr int UPPER_PAWN_PROMOTED = 11;
inline constexpr int UPPER_LANCE_PROMOTED = 21;
inline constexpr int UPPER_KNIGHT_PROMOTED = 31;
inline constexpr int UPPER_SILVER_PROMOTED = 101;
inline constexpr int UPPER_BISHOP_PROMOTED = 801;
inline constexpr int UPPER_ROOK_PROMOTED = 901;
inline constexpr int LOWER_PAWN_PROMOTED = -UPPER_PAWN_PROMOTED;
inline constexpr int LOWER_LANCE_PROMOTED = -UPPER_LANCE_PROMOTED;
inline constexpr int LOWER_KNIGHT_PROMOTED = -UPPER_KNIGHT_PROMOTED;
inline constexpr int LOWER_SILVER_PROMOTED = -UPPER_SILVER_PROMOTED;
inline constexpr int LOWER_BISHOP_PROMOTED = -UPPER_BISHOP_PROMOTED;
inline constexpr int LOWER_ROOK_PROMOTED = -UPPER_ROOK_PROMOTED;

// The neutral prince (太子): blocks like any piece, never slides.
inline constexpr int PRINCE = 205;

// Magnet picture codes; they never stand on the board.
inline constexpr int MAGNET_UP = 201;
inline constexpr int MAGNET_DOWN = 202;
inline constexpr int MAGNET_RIGHT = 203;
inline constexpr int MAGNET_LEFT = 204;

// Side identifiers. SIDE_SENTE always makes a game's first move.
inline constexpr int SIDE_SENTE = 1;
inline constexpr int SIDE_GOTE = -1;
inline constexpr int SIDE_NONE = 0;

// Board size and the smallest magnitude of a side's piece code.
inline constexpr int boardSize = 9;
inline constexpr int SIDE_PIECE_MIN = 10;

constexpr bool isUpperCode(int code) {
    return code >= SIDE_PIECE_MIN;
}
constexpr bool isLowerCode(int code) {
    return code <= -SIDE_PIECE_MIN;
}
constexpr bool isOnBoard(int x, int y) {
    return x >= 1 && x <= boardSize && y >= 1 && y <= boardSize;
}

}
