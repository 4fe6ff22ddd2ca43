#include "rules/gravity.h"

#include <array>

namespace quorvel {

namespace {

struct Delta {
    int dx;
    int dy;
};

constexpr Delta deltaOf(Direction direction) {
    switch (direction) {
        case Direction::Left:
            return {-1, 0};
        case Direction::Right:
            return {1, 0};
        case Direction::Up:
            return {0, -1};
        case Direction::Down:
            return {0, 1};
    }
    return {0, 0};
}

// The squares of one line along the direction, numbered from the far end (0) to the end at
// the magnet (boardSize - 1). Gravity never moves a piece from one line to another.
template <Direction D>
struct Line {
    Board& board;
    int index;  // 0..8: the row for left and right, the column for up and down

    int& operator[](int i) const {
        if constexpr (D == Direction::Right) return board(i + 1, index + 1);
        if constexpr (D == Direction::Left) return board(boardSize - i, index + 1);
        if constexpr (D == Direction::Down) return board(index + 1, i + 1);
        if constexpr (D == Direction::Up) return board(index + 1, boardSize - i);
    }
};

// One step of one line: every piece (not the prince) whose neighbour toward the magnet was
// EMPTY before the step moves one square. Returns whether anything moved.
template <Direction D>
bool stepLine(const Line<D>& line) {
    std::array<int, boardSize> codes;
    for (int i = 0; i < boardSize; ++i)
        codes[i] = line[i];
    std::array<bool, boardSize> marks{};
    bool moved = false;
    for (int i = 0; i + 1 < boardSize; ++i) {
        marks[i] = codes[i] != EMPTY && codes[i] != PRINCE && codes[i + 1] == EMPTY;
        moved = moved || marks[i];
    }
    for (int i = 0; i + 1 < boardSize; ++i) {
        if (!marks[i]) continue;
        line[i + 1] = codes[i];
        line[i] = EMPTY;
    }
    return moved;
}

// The slide toward one magnet; the direction is fixed at compile time so that addressing a
// line costs no decision per square.
template <Direction D>
int slideToward(Board& board, const StepObserver& onStep) {
    // Lines are independent, so a line in which nothing moved in a step never moves again and
    // later steps skip it.
    std::array<bool, boardSize> active;
    active.fill(true);
    int steps = 0;
    for (;;) {
        bool moved = false;
        for (int index = 0; index < boardSize; ++index) {
            if (!active[index]) continue;
            active[index] = stepLine(Line<D>{board, index});
            moved = moved || active[index];
        }
        if (!moved) return steps;
        ++steps;
        if (onStep) onStep(board);
    }
}

}

std::optional<Direction> directionFromWord(std::string_view word) {
    if (word == "左") return Direction::Left;
    if (word == "右") return Direction::Right;
    if (word == "上") return Direction::Up;
    if (word == "下") return Direction::Down;
    return std::nullopt;
}

Direction opposite(Direction direction) {
    switch (direction) {
        case Direction::Left:
            return Direction::Right;
        case Direction::Right:
            return Direction::Left;
        case Direction::Up:
            return Direction::Down;
        case Direction::Down:
            return Direction::Up;
    }
    return direction;
}

std::string_view wordOf(Direction direction) {
    switch (direction) {
        case Direction::Left:
            return "左";
        case Direction::Right:
            return "右";
        case Direction::Up:
            return "上";
        case Direction::Down:
            return "下";
    }
    return "";
}

Square stepToward(Direction direction, int x, int y) {
    const Delta d = deltaOf(direction);
    return {x + d.dx, y + d.dy};
}

int slide(Board& board, Direction direction, const StepObserver& onStep) {
    switch (direction) {
        case Direction::Left:
            return slideToward<Direction::Left>(board, onStep);
        case Direction::Right:
            return slideToward<Direction::Right>(board, onStep);
        case Direction::Up:
            return slideToward<Direction::Up>(board, onStep);
        case Direction::Down:
            return slideToward<Direction::Down>(board, onStep);
    }
    return 0;
}

void 重力処理_仮(Board& board, std::string_view I_方向) {
    if (const auto direction = directionFromWord(I_方向)) slide(board, *direction);
}

}
