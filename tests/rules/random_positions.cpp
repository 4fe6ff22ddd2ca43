#include "random_positions.h"

#include <algorithm>
#include <random>
#include <vector>

namespace quorvel::testing {

RandomPosition randomPosition(std::uint32_t seed) {
    Board first;
    layFirstPosition(first);
    std::vector<int> codes;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y) {
            if (first(x, y) != EMPTY) codes.push_back(first(x, y));
        }
    }
    codes.resize(boardSize * boardSize, EMPTY);
    std::mt19937 rng(seed);
    std::shuffle(codes.begin(), codes.end(), rng);

    RandomPosition p;
    for (int i = 0; i < boardSize * boardSize; ++i) {
        const int x = i % boardSize + 1;
        const int y = i / boardSize + 1;
        p.board(x, y) = codes[i];
        if (codes[i] == PRINCE) p.prince = {x, y};
    }
    return p;
}

std::vector<int> sortedCodes(const Board& board) {
    std::vector<int> codes;
    for (int x = 1; x <= boardSize; ++x) {
        for (int y = 1; y <= boardSize; ++y)
            codes.push_back(board(x, y));
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

}
