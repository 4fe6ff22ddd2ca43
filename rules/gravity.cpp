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

using Marks = std::array<std::array<bool, boardSize + 1>, boardSize + 1>;

// Marks every piece (not the prince) whose neighbour toward the magnet is on the board and
// EMPTY. Returns whether any piece was marked.
bool markMovers(const Board& board, Delta d, Marks& marks) {
    bool moved = false;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            const int nx = x + d.dx;
            const int ny = y + d.dy;
            const int code = board(x, y);
            const bool mark = isOnBoard(nx, ny) && code != EMPTY && code != PRINCE &&
                              board(nx, ny) == EMPTY;
            marks[x][y] = mark;
            moved = moved || mark;
        }
    }
    return moved;
}

void moveMarked(Board& board, Delta d, const Marks& marks) {
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (!marks[x][y]) continue;
            board(x + d.dx, y + d.dy) = board(x, y);
            board(x, y) = EMPTY;
        }
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
    const Delta d = deltaOf(direction);
    Marks marks{};
    int steps = 0;
    while (markMovers(board, d, marks)) {
        moveMarked(board, d, marks);
        ++steps;
        if (onStep) onStep(board);
    }
    return steps;
}

void 重力処理_仮(Board& board, std::string_view I_方向) {
    if (const auto direction = directionFromWord(I_方向)) slide(board, *direction);
}

}
