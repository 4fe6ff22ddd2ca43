#include "storage/puzzle_file.h"

namespace quorvel {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos;
         start = end + 1) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

}

std::variant<std::vector<Puzzle>, PuzzleFileError> parsePuzzles(std::string_view text) {
    std::vector<Puzzle> puzzles;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    int lineNumber = 0;
    for (const std::string_view line : split(text, '\n')) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const auto fields = split(line, '\t');
        if (fields.size() != 3 || fields[0].empty() || fields[2].size() != 1 ||
            fields[2][0] < '1' || fields[2][0] > '5') {
            return PuzzleFileError{lineNumber, "not id<TAB>moves<TAB>N"};
        }
        Puzzle puzzle{std::string(fields[0]), {}, fields[2][0] - '0'};
        if (!fields[1].empty()) {
            for (const std::string_view word : split(fields[1], ' ')) {
                const auto direction = directionFromWord(word);
                if (!direction) return PuzzleFileError{lineNumber, "not a direction"};
                puzzle.moves.push_back(*direction);
            }
        }
        puzzles.push_back(std::move(puzzle));
    }
    return puzzles;
}

}
