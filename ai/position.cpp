#include "ai/position.h"

#include <cstring>

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

// RANK[m][k]: how many of the squares 0..k-1 of a line are occupied, for the occupancy m
// (bit k set when square k holds a piece).
constexpr int LINE_PATTERNS = 1 << boardSize;
using RankTable = std::array<std::array<std::uint8_t, boardSize>, LINE_PATTERNS>;
constexpr RankTable rankTable() {
    RankTable table{};
    for (int m = 0; m < LINE_PATTERNS; ++m) {
        int count = 0;
        for (int k = 0; k < boardSize; ++k) {
            table[m][k] = static_cast<std::uint8_t>(count);
            count += (m >> k) & 1;
        }
    }
    return table;
}
constexpr RankTable RANK = rankTable();

// Compacts one line toward the magnet: the line starts at the square by the magnet and runs
// away from it in steps of ALONG. Pieces keep their order and pack against the magnet's edge.
// The line is read into a local copy first, so that no store waits for a load of the board.
template <int ALONG>
inline void compactLine(std::int8_t* cells, int start) {
    std::int8_t line[boardSize];
    for (int k = 0; k < boardSize; ++k)
        line[k] = cells[start + k * ALONG];
    std::int8_t packed[boardSize] = {};
    int n = 0;
    for (int k = 0; k < boardSize; ++k) {
        packed[n] = line[k];
        n += line[k] != NO_PIECE ? 1 : 0;
    }
    for (int k = 0; k < boardSize; ++k)
        cells[start + k * ALONG] = packed[k];
}

// The same for the line that holds the prince: it stays, and the pieces behind it pack
// against it.
template <int ALONG>
inline void compactPrinceLine(std::int8_t* cells, int start) {
    std::int8_t line[boardSize];
    for (int k = 0; k < boardSize; ++k)
        line[k] = cells[start + k * ALONG];
    std::int8_t packed[boardSize] = {};
    int n = 0;
    for (int k = 0; k < boardSize; ++k) {
        if (line[k] == PRINCE_CELL) {
            packed[k] = PRINCE_CELL;
            n = k + 1;
            continue;
        }
        packed[n] = line[k];
        n += line[k] != NO_PIECE ? 1 : 0;
    }
    for (int k = 0; k < boardSize; ++k)
        cells[start + k * ALONG] = packed[k];
}

// Where the king of code `king` stands on the line after the slide; unchanged when it stands
// on another line.
template <int ALONG>
inline void followKing(const std::int8_t* cells, int start, std::int8_t king, std::uint8_t& at) {
    for (int k = 0; k < boardSize; ++k) {
        const int i = start + k * ALONG;
        if (cells[i] == king) at = static_cast<std::uint8_t>(i);
    }
}

// The line of `cell` among the nine lines that start at `first` and follow each other in
// steps of NEXT, as its starting cell.
template <int NEXT>
inline int lineStart(int first, int cell) {
    const int index = NEXT == 1 ? rowOf(cell) - rowOf(first) : columnOf(cell) - columnOf(first);
    return first + index * NEXT;
}

// Compacts the nine lines toward the magnet; line n starts at `first + n * NEXT`.
template <int ALONG, int NEXT>
void compact(Position& p, int first) {
    std::int8_t* cells = p.cells.data();
    const int princeLine = p.prince == NO_SQUARE ? -1 : lineStart<NEXT>(first, p.prince);
    for (int line = 0; line < boardSize; ++line) {
        const int start = first + line * NEXT;
        if (start == princeLine) {
            compactPrinceLine<ALONG>(cells, start);
        } else {
            compactLine<ALONG>(cells, start);
        }
    }
    if (p.upperKing != NO_SQUARE) {
        followKing<ALONG>(cells, lineStart<NEXT>(first, p.upperKing), KING, p.upperKing);
    }
    if (p.lowerKing != NO_SQUARE) {
        followKing<ALONG>(cells, lineStart<NEXT>(first, p.lowerKing), -KING, p.lowerKing);
    }
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
    switch (direction) {
        case Direction::Left:
            return compact<STRIDE, 1>(position, cellOf(1, 1));
        case Direction::Right:
            return compact<-STRIDE, 1>(position, cellOf(boardSize, 1));
        case Direction::Up:
            return compact<1, STRIDE>(position, cellOf(1, 1));
        case Direction::Down:
            return compact<-1, STRIDE>(position, cellOf(1, boardSize));
    }
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
