#include "ai/position.h"

#include <cstring>

#include "ai/slide_lanes.h"

namespace quorvel::engine {

namespace {

std::int8_t kindOfCode(int code) {
    switch (code < 0 ? -code : code) {
        case UPPER_PAWN:
            return PAWN;
        case UPPER_LANCE:
            return LANCE;
        case UPPER_KNIGHT:
            return KNIGHT;
        case UPPER_SILVER:
            return SILVER;
        case UPPER_GOLD:
            return GOLD;
        case UPPER_BISHOP:
            return BISHOP;
        case UPPER_ROOK:
            return ROOK;
        case UPPER_KING:
            return KING;
        case UPPER_PAWN_PROMOTED:
            return PAWN_PROMOTED;
        case UPPER_LANCE_PROMOTED:
            return LANCE_PROMOTED;
        case UPPER_KNIGHT_PROMOTED:
            return KNIGHT_PROMOTED;
        case UPPER_SILVER_PROMOTED:
            return SILVER_PROMOTED;
        case UPPER_BISHOP_PROMOTED:
            return BISHOP_PROMOTED;
        case UPPER_ROOK_PROMOTED:
            return ROOK_PROMOTED;
        default:
            return NO_PIECE;
    }
}

constexpr std::array<int, KIND_COUNT> CODE_OF_KIND{EMPTY,
                                                   UPPER_PAWN,
                                                   UPPER_LANCE,
                                                   UPPER_KNIGHT,
                                                   UPPER_SILVER,
                                                   UPPER_GOLD,
                                                   UPPER_BISHOP,
                                                   UPPER_ROOK,
                                                   UPPER_KING,
                                                   UPPER_PAWN_PROMOTED,
                                                   UPPER_LANCE_PROMOTED,
                                                   UPPER_KNIGHT_PROMOTED,
                                                   UPPER_SILVER_PROMOTED,
                                                   UPPER_BISHOP_PROMOTED,
                                                   UPPER_ROOK_PROMOTED};

// The last cell holding `king` among the nine of the line that starts at `first` and runs in
// steps of STEP; `first` when none does. Read without a branch: where the king stands is not
// foreseeable.
template <int STEP>
int lastOnLine(const std::int8_t* cells, int first, std::int8_t king) {
    int found = first;
    for (int k = 0; k < boardSize; ++k) {
        const int i = first + k * STEP;
        found = cells[i] == king ? i : found;
    }
    return found;
}

// Where the king of code `king` stands after a slide toward `direction`: it stays on its line,
// and of several such kings there the one kept is the last counted from the magnet.
void followKing(const std::int8_t* cells, Direction direction, std::int8_t king, std::uint8_t& at) {
    if (at == NO_SQUARE) return;
    int found = 0;
    switch (direction) {
        case Direction::Left:
            found = lastOnLine<STRIDE>(cells, cellOf(1, rowOf(at)), king);
            break;
        case Direction::Right:
            found = lastOnLine<-STRIDE>(cells, cellOf(boardSize, rowOf(at)), king);
            break;
        case Direction::Up:
            found = lastOnLine<1>(cells, cellOf(columnOf(at), 1), king);
            break;
        case Direction::Down:
            found = lastOnLine<-1>(cells, cellOf(columnOf(at), boardSize), king);
            break;
    }
    at = static_cast<std::uint8_t>(found);
}

constexpr int deltaOf(Direction direction) {
    switch (direction) {
        case Direction::Left:
            return -STRIDE;
        case Direction::Right:
            return STRIDE;
        case Direction::Up:
            return -1;
        case Direction::Down:
            return 1;
    }
    return 0;
}

}

Position fromBoard(const Board& board, Square prince) {
    Position p;
    p.cells.fill(WALL);
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int code = board(x, y);
            const std::int8_t kind = kindOfCode(code);
            const int cell = cellOf(x, y);
            p.cells[cell] = static_cast<std::int8_t>(code < 0 ? -kind : kind);
            if (code == UPPER_KING) p.upperKing = static_cast<std::uint8_t>(cell);
            if (code == LOWER_KING) p.lowerKing = static_cast<std::uint8_t>(cell);
        }
    }
    if (isOnBoard(prince.x, prince.y) && board(prince.x, prince.y) == PRINCE) {
        p.prince = static_cast<std::uint8_t>(cellOf(prince.x, prince.y));
        p.cells[p.prince] = PRINCE_CELL;
    }
    return p;
}

Board toBoard(const Position& position) {
    Board board;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int c = position.cells[cellOf(x, y)];
            if (c == PRINCE_CELL) {
                board(x, y) = PRINCE;
            } else {
                board(x, y) = c < 0 ? -CODE_OF_KIND[-c] : CODE_OF_KIND[c];
            }
        }
    }
    return board;
}

void stepPrince(Position& position, Direction direction) {
    if (position.prince == NO_SQUARE) return;
    const int to = position.prince + deltaOf(direction);
    if (position.cells[to] != NO_PIECE) return;  // a piece or the edge's wall
    position.cells[position.prince] = NO_PIECE;
    position.cells[to] = PRINCE_CELL;
    position.prince = static_cast<std::uint8_t>(to);
}

void slide(Position& position, Direction direction) {
    slideCells(position.cells.data(), direction);
    followKing(position.cells.data(), direction, KING, position.upperKing);
    followKing(position.cells.data(), direction, -KING, position.lowerKing);
}

std::uint64_t hashOf(const Position& position) {
    // Pairs of words multiplied into 128 bits and folded: every byte of the board reaches
    // every bit of the key.
    __extension__ using Wide = unsigned __int128;
    constexpr std::uint64_t K0 = 0xa0761d6478bd642full;
    constexpr std::uint64_t K1 = 0xe7037ed1a0b428dbull;
    std::uint64_t words[CELLS / 8];
    std::memcpy(words, position.cells.data(), CELLS);
    std::uint64_t h = 0;
    for (int i = 0; i < CELLS / 8; i += 2) {
        const Wide m = static_cast<Wide>(words[i] ^ (K0 + static_cast<std::uint64_t>(i))) *
                       (words[i + 1] ^ K1);
        h += static_cast<std::uint64_t>(m) ^ static_cast<std::uint64_t>(m >> 64);
    }
    const Wide m = static_cast<Wide>(h ^ K0) * K1;
    return static_cast<std::uint64_t>(m) ^ static_cast<std::uint64_t>(m >> 64);
}

}
