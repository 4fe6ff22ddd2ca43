// Puzzles played through the game object: solved, failed and taken back, hinted, and counted.
// The puzzles are found and proved here by a plain search of the test's own over the rules'
// replay of moves, so the game's prover is checked against an independent proof.

#include <array>
#include <map>

#include "game/record_replay.h"
#include "game/repetition.h"
#include "game_fixture.h"

namespace quorvel::testing {
namespace {

constexpr std::array DIRECTIONS{Direction::Left, Direction::Right, Direction::Up, Direction::Down};

GamePosition after(GamePosition position, Direction direction) {
    EXPECT_FALSE(applyMove(position, RecordedMove{direction, 0, 0, std::nullopt, 0}));
    return position;
}

bool winsWithin(const GamePosition& position, int n);

// Whether the side to move, pressing direction, wins within n of its moves against every reply.
bool keepsWin(const GamePosition& position, Direction direction, int n) {
    const GamePosition next = after(position, direction);
    if (next.gameOver != SIDE_NONE || n == 1) return next.gameOver == position.turn;
    for (const Direction reply : DIRECTIONS) {
        const GamePosition answered = after(next, reply);
        if (answered.gameOver == position.turn) continue;
        if (answered.gameOver != SIDE_NONE || !winsWithin(answered, n - 1)) return false;
    }
    return true;
}

bool winsWithin(const GamePosition& position, int n) {
    for (const Direction direction : DIRECTIONS) {
        if (keepsWin(position, direction, n)) return true;
    }
    return false;
}

// The first line of moves (shortest first, then Left < Right < Up < Down) whose position is won
// in exactly n moves and not sooner.
Puzzle searchPuzzle(int n) {
    for (int length = 0;; ++length) {
        for (int code = 0; code < 1 << (2 * length); ++code) {
            Puzzle puzzle{"p" + std::to_string(n), {}, n};
            GamePosition position = startPosition(GameCommand::Start);
            for (int i = 0; i < length && position.gameOver == SIDE_NONE; ++i) {
                puzzle.moves.push_back(DIRECTIONS[(code >> (2 * i)) & 3]);
                position = after(position, puzzle.moves.back());
            }
            if (position.gameOver == SIDE_NONE && winsWithin(position, n) &&
                (n == 1 || !winsWithin(position, n - 1))) {
                return puzzle;
            }
        }
    }
}

Puzzle findPuzzle(int n) {
    static std::map<int, Puzzle> found;
    if (!found.contains(n)) found[n] = searchPuzzle(n);
    return found[n];
}

class PuzzleTest : public GameTest {
  protected:
    void openPuzzles(std::vector<Puzzle> puzzles, std::vector<std::string> optionLines = {}) {
        fake.settingsFile->insert(fake.settingsFile->end(), optionLines.begin(), optionLines.end());
        fake.puzzles = std::move(puzzles);
        load();
        game.onPuzzle();
    }
    // The first press that keeps the win within the moves left, or the first that lets it go.
    Direction press(bool keeping) const {
        for (const Direction direction : DIRECTIONS) {
            if (keepsWin(s, direction, s.puzzle.movesLeft()) == keeping) return direction;
        }
        ADD_FAILURE() << "no such press";
        return Direction::Left;
    }
    bool logged(const std::string& linePrefix) const { return fake.countPrefix(linePrefix) > 0; }
};

TEST_F(PuzzleTest, SolvingShowsTheWinAndCountsIt) {
    for (const int n : {1, 2, 3}) {
        SCOPED_TRACE(n);
        openPuzzles({findPuzzle(n), findPuzzle(1)});
        const int solver = s.turn;
        EXPECT_EQ(s.puzzle.movesLeft(), n);
        EXPECT_TRUE(
            logged(solver == SIDE_SENTE ? "text [先手の番] 7735.5" : "text [後手の番] 7735.5"));
        for (int move = 0; move < n && !gameEnded(s); ++move)
            pressMagnet(press(true));
        EXPECT_EQ(s.gameOver, solver);
        EXPECT_EQ(fake.messages(), std::vector<std::string>{"終了|あなたの勝ちです"});
        EXPECT_EQ(fake.settingsFile->back(), "詰め問題=1");
        EXPECT_TRUE(logged("text [1 / 2]"));
        fake.settingsFile->pop_back();
        fake.log.clear();
    }
}

TEST_F(PuzzleTest, AMoveThatLetsTheWinGoFailsAndTakeBackTriesAgain) {
    // The failing press comes as the solver's first or second move of a win in 3.
    for (const int goodMoves : {0, 1}) {
        SCOPED_TRACE(goodMoves);
        fake.settingsFile->resize(4);
        openPuzzles({findPuzzle(3)});
        for (int move = 0; move < goodMoves; ++move)
            pressMagnet(press(true));
        const GamePosition before = s;
        clearLog();
        pressMagnet(press(false));
        EXPECT_TRUE(s.puzzle.failed);
        EXPECT_TRUE(logged("message 詰め問題|失敗です。「待った」でやり直せます"));
        EXPECT_TRUE(logged("text [失敗]"));
        pressMagnet(Direction::Left);  // nothing is played after a failure
        EXPECT_EQ(s.moveNumber, before.moveNumber + 1);
        game.onTakeBack();
        EXPECT_FALSE(s.puzzle.failed);
        EXPECT_EQ(s.board, before.board);
        EXPECT_EQ(s.turn, before.turn);
        EXPECT_EQ(s.moveNumber, before.moveNumber);
        EXPECT_EQ(fake.settingsFile->size(), 4U);  // nothing solved, nothing written
    }
}

TEST_F(PuzzleTest, HintBlinksAMagnetThatStillWins) {
    for (const int n : {1, 2, 3}) {
        SCOPED_TRACE(n);
        fake.settingsFile->resize(4);
        openPuzzles({findPuzzle(n)});
        clearLog();
        game.onHint();
        int blinked = 0;
        for (const Direction direction : DIRECTIONS) {
            const Magnet& magnet = magnetOf(direction);
            if (fake.count("picture " + std::to_string(magnet.code) + " " +
                           std::to_string(magnet.cellX) + " " + std::to_string(magnet.cellY)) ==
                2) {
                ++blinked;
                EXPECT_TRUE(keepsWin(s, direction, n));
            }
        }
        EXPECT_EQ(blinked, 1);
    }
}

TEST_F(PuzzleTest, ProgressPicksThePuzzle) {
    const std::vector<Puzzle> puzzles{findPuzzle(1), findPuzzle(2)};
    struct Case {
        const char* line;
        std::size_t index;
        bool allSolved;
    };
    for (const Case& c : {Case{"詰め問題=1", 1, false}, Case{"詰め問題=2", 0, true},
                          Case{"詰め問題=x", 0, false}}) {
        SCOPED_TRACE(c.line);
        fake.settingsFile->resize(4);
        openPuzzles(puzzles, {c.line});
        EXPECT_EQ(s.puzzle.index, c.index);
        EXPECT_EQ(s.moveNumber, static_cast<int>(puzzles[c.index].moves.size()));
        EXPECT_EQ(logged("message 詰め問題|全問解きました。最初の問題から始めます"), c.allSolved);
    }
}

}
}
