// Feeds arbitrary bytes to the puzzle file reader and checks what it promises: it never crashes;
// a refusal names a line within the text with a message; accepted puzzles keep the file's limits
// and are written and read back as the same puzzles.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <variant>

#include "storage/puzzle_file.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "puzzle_fuzzer: %s\n", what);
    std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto result = quorvel::parsePuzzles(text);
    if (const auto* error = std::get_if<quorvel::PuzzleFileError>(&result)) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        if (error->line < 0 || error->line > lines) fail("error names no line");
        if (error->message.empty()) fail("error without a message");
        return 0;
    }
    const auto& puzzles = std::get<std::vector<quorvel::Puzzle>>(result);
    if (puzzles.size() > quorvel::MAX_PUZZLES) fail("too many puzzles accepted");
    std::set<std::string> ids;
    for (const quorvel::Puzzle& p : puzzles) {
        if (p.n < quorvel::MIN_PUZZLE_N || p.n > quorvel::MAX_PUZZLE_N) fail("N out of range");
        if (p.moves.size() > quorvel::MAX_PUZZLE_MOVES) fail("too many moves accepted");
        if (!ids.insert(p.id).second) fail("duplicate id accepted");
    }
    const auto again = quorvel::parsePuzzles(quorvel::formatPuzzles(puzzles));
    const auto* read = std::get_if<std::vector<quorvel::Puzzle>>(&again);
    if (!read) fail("written puzzles refused");
    if (*read != puzzles) fail("puzzles read back differently");
    return 0;
}
