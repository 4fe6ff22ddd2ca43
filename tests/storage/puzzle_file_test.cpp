#include <gtest/gtest.h>

#include "storage/puzzle_file.h"

namespace quorvel {
namespace {

TEST(PuzzleFile, ReadsBackWhatItWrites) {
    const std::vector<Puzzle> puzzles{{"n1-001", {Direction::Up, Direction::Left}, 1},
                                      {"first", {}, 5},
                                      {"n3_x", {Direction::Down, Direction::Right}, 3}};
    const std::string text = formatPuzzles(puzzles);
    EXPECT_EQ(text, "n1-001\t上 左\t1\nfirst\t\t5\nn3_x\t下 右\t3\n");
    const auto parsed = parsePuzzles("# comment\n" + text);
    ASSERT_TRUE(std::holds_alternative<std::vector<Puzzle>>(parsed));
    EXPECT_EQ(std::get<std::vector<Puzzle>>(parsed), puzzles);
    EXPECT_TRUE(std::holds_alternative<std::vector<Puzzle>>(parsePuzzles("a\t上\t2")));
}

TEST(PuzzleFile, RefusesMalformedLinesNamingTheLine) {
    const std::string tooManyMoves = [] {
        std::string moves = "上";
        for (std::size_t i = 1; i <= MAX_PUZZLE_MOVES; ++i)
            moves += " 上";
        return "a\t" + moves + "\t1\n";
    }();
    const struct {
        std::string text;
        int line;
    } cases[] = {
        {"a\t上\t1\n\n", 2},
        {"a\t上\t1\r\n", 1},
        {"a\t上\t0\n", 1},
        {"a\t上\t6\n", 1},
        {"a\t上\t12\n", 1},
        {"a\t上  下\t1\n", 1},
        {"a\t上 \t1\n", 1},
        {"a\t上下\t1\n", 1},
        {"a\tup\t1\n", 1},
        {"\t上\t1\n", 1},
        {"a b\t上\t1\n", 1},
        {std::string(33, 'a') + "\t上\t1\n", 1},
        {"a\t上\t1\na\t下\t2\n", 2},
        {"a\t上\t1\tx\n", 1},
        {"a\t上\n", 1},
        {tooManyMoves, 1},
        {std::string(MAX_PUZZLE_FILE_BYTES + 1, '#'), 0},
    };
    for (const auto& c : cases) {
        const auto parsed = parsePuzzles(c.text);
        const auto* error = std::get_if<PuzzleFileError>(&parsed);
        ASSERT_NE(error, nullptr) << c.text.substr(0, 40);
        EXPECT_EQ(error->line, c.line) << c.text.substr(0, 40);
    }
}

}
}
