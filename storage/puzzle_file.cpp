#include "storage/puzzle_file.h"

#include <optional>
#include <set>

namespace quorvel {

namespace {

constexpr char FIELD_SEPARATOR = '\t';
constexpr char MOVE_SEPARATOR = ' ';
constexpr char COMMENT_MARK = '#';

bool isIdCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

bool validId(std::string_view id) {
    if (id.empty() || id.size() > MAX_PUZZLE_ID_LENGTH) return false;
    for (const char c : id) {
        if (!isIdCharacter(c)) return false;
    }
    return true;
}

std::optional<std::vector<Direction>> parseMoves(std::string_view text) {
    std::vector<Direction> moves;
    if (text.empty()) return moves;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(MOVE_SEPARATOR, start);
        const auto direction = directionFromWord(text.substr(start, end - start));
        if (!direction || moves.size() == MAX_PUZZLE_MOVES) return std::nullopt;
        moves.push_back(*direction);
        if (end == std::string_view::npos) return moves;
        start = end + 1;
    }
}

std::optional<int> parseN(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' + MIN_PUZZLE_N || text[0] > '0' + MAX_PUZZLE_N)
        return std::nullopt;
    return text[0] - '0';
}

// One puzzle line, without its line feed.
std::variant<Puzzle, std::string> parseLine(std::string_view line) {
    const std::size_t first = line.find(FIELD_SEPARATOR);
    const std::size_t second =
        first == std::string_view::npos ? first : line.find(FIELD_SEPARATOR, first + 1);
    if (second == std::string_view::npos || line.find(FIELD_SEPARATOR, second + 1) != line.npos)
        return std::string("expected id<TAB>moves<TAB>N");
    Puzzle puzzle;
    const std::string_view id = line.substr(0, first);
    if (!validId(id)) return std::string("bad id");
    puzzle.id = id;
    auto moves = parseMoves(line.substr(first + 1, second - first - 1));
    if (!moves) return std::string("bad moves");
    puzzle.moves = std::move(*moves);
    const auto n = parseN(line.substr(second + 1));
    if (!n) return std::string("bad N");
    puzzle.n = *n;
    return puzzle;
}

}

std::variant<std::vector<Puzzle>, PuzzleFileError> parsePuzzles(std::string_view text) {
    if (text.size() > MAX_PUZZLE_FILE_BYTES) return PuzzleFileError{0, "file too large"};
    std::vector<Puzzle> puzzles;
    std::set<std::string, std::less<>> ids;
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        ++number;
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        start = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line[0] == COMMENT_MARK) continue;
        auto parsed = parseLine(line);
        if (auto* reason = std::get_if<std::string>(&parsed))
            return PuzzleFileError{number, std::move(*reason)};
        Puzzle& puzzle = std::get<Puzzle>(parsed);
        if (!ids.insert(puzzle.id).second) return PuzzleFileError{number, "duplicate id"};
        if (puzzles.size() == MAX_PUZZLES) return PuzzleFileError{number, "too many puzzles"};
        puzzles.push_back(std::move(puzzle));
    }
    return puzzles;
}

std::string formatPuzzles(const std::vector<Puzzle>& puzzles) {
    std::string text;
    for (const Puzzle& puzzle : puzzles) {
        text += puzzle.id;
        text += FIELD_SEPARATOR;
        for (std::size_t i = 0; i < puzzle.moves.size(); ++i) {
            if (i > 0) text += MOVE_SEPARATOR;
            text += wordOf(puzzle.moves[i]);
        }
        text += FIELD_SEPARATOR;
        text += std::to_string(puzzle.n);
        text += '\n';
    }
    return text;
}

}
