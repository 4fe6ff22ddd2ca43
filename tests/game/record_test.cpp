// The move history: every game, played or taken back or stepped through, is the game its record
// replays; saving and opening it, and resuming the game in progress, give that game back.

#include <random>

#include "game/record_replay.h"
#include "game_fixture.h"

namespace quorvel::testing {
namespace {

constexpr int FORBIDDEN = 2;  // the sound handle of 禁止.wav in the fake

struct Seen {
    Board board;
    int princeX, princeY, moveNumber, turn, gameOver, gameMode, manSide, comSide;
    bool operator==(const Seen&) const = default;
};

Seen seen(const GameState& s) {
    return {s.board,    s.princeX,  s.princeY,       s.moveNumber,   s.turn,
            s.gameOver, s.gameMode, s.sides.manSide, s.sides.comSide};
}

Seen seen(const GamePosition& p) {
    return {p.board,    p.princeX,  p.princeY,       p.moveNumber,   p.turn,
            p.gameOver, p.gameMode, p.sides.manSide, p.sides.comSide};
}

std::vector<GamePosition> replayed(const GameRecord& record) {
    auto replay = replayRecord(record);
    if (auto* error = std::get_if<RecordError>(&replay)) {
        ADD_FAILURE() << "the record does not replay: line " << error->line << " "
                      << error->message;
        return {};
    }
    return std::get<std::vector<GamePosition>>(replay);
}

class RecordTest : public GameTest {
  protected:
    // The position the game's record stands for: the one shown while stepping, else the last
    // with the mode switch given since.
    GamePosition recordedPosition() {
        const GameHistory& h = game.history();
        const auto positions = replayed(h.record);
        if (positions.empty()) return {};
        if (h.shown) return positions.at(*h.shown);
        GamePosition p = positions.back();
        if (h.pendingSwitch) applyCommand(p, *h.pendingSwitch);
        return p;
    }

    void wait(double seconds) { fake.now += seconds; }

    // The board after each move number of the game so far, recorded by the caller.
    std::vector<Board> boards;
    void play(Direction d) {
        wait(3);
        pressMagnet(d);
    }
    int forbidden() const { return fake.count("play " + std::to_string(FORBIDDEN)); }
};

// Random whole games of every mode, with mode switches, take-backs, stepping and playing on from
// earlier positions: after every event the record replays to the position on the board.
TEST_F(RecordTest, EveryRandomGameIsTheGameItsRecordReplaysAndSavingAndOpeningKeepsIt) {
    load();
    int saved = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const int start = seed % 3;
        if (start == 0) game.onStart();
        if (start == 1) game.onSente();
        if (start == 2) game.onGote();
        bool switched = false;
        for (int event = 0; event < 80 && s.gameOver == SIDE_NONE; ++event) {
            const int k = static_cast<int>(rng() % 100);
            std::string what;
            if (k < 70) {
                what = "press";
                play(MAGNETS[rng() % 4].direction);
                switched = false;
            } else if (k < 78 && !switched && !game.history().shown) {
                // One switch between moves: the record keeps one per move.
                const int c = static_cast<int>(rng() % 3);
                what = "switch " + std::to_string(c);
                if (c == 0) game.onStart();
                if (c == 1) game.onSente();
                if (c == 2) game.onGote();
                switched = true;
            } else if (k < 85) {
                what = "take back";
                game.onTakeBack();
                switched = false;
            } else if (k < 95) {
                what = "step back";
                game.onStepBack();
            } else {
                what = "step last";
                game.onStepLast();
            }
            ASSERT_EQ(seen(recordedPosition()), seen(s))
                << "seed " << seed << " event " << event << " " << what;
        }
        if (game.history().shown) game.onStepLast();
        // Save, then open in another window: the same moves and the same last position.
        fake.chosenFile = "game" + std::to_string(seed) + ".kifu";
        game.onSaveRecord();
        FakePlatform other;
        other.files = fake.files;
        other.chosenFile = fake.chosenFile;
        Game opened(other);
        opened.onLoad();
        opened.onOpenRecord();
        ASSERT_TRUE(other.messages().empty()) << other.messages().front();
        const GameRecord& a = game.history().record;
        const GameRecord& b = opened.history().record;
        ASSERT_EQ(a.moves.size(), b.moves.size()) << "seed " << seed;
        for (std::size_t i = 0; i < a.moves.size(); ++i) {
            EXPECT_EQ(a.moves[i].direction, b.moves[i].direction);
            EXPECT_EQ(a.moves[i].switchedTo, b.moves[i].switchedTo);
        }
        EXPECT_EQ(b.command, a.command);
        EXPECT_EQ(seen(opened.state()), seen(replayed(a).back())) << "seed " << seed;
        if (!game.history().pendingSwitch) {
            EXPECT_EQ(seen(opened.state()), seen(s));
        }
        saved += 1;
        game.onCancel();
    }
    EXPECT_EQ(saved, 60);
}

// 待った in one table: what is taken back, and the refusals.
TEST_F(RecordTest, TakeBackReturnsToTheMoversPreviousTurn) {
    struct Case {
        const char* name;
        void (Game::*command)();
        int presses;     // human presses before the take-back (until a win when -1)
        int movesAfter;  // the move number after it; -1 for "refused"
    };
    const Case cases[] = {
        {"against the computer: its move and the human's", &Game::onSente, 2, 2},
        {"two humans: one move", &Game::onStart, 3, 2},
        {"computer first: its first move alone is nothing", &Game::onGote, 0, -1},
        {"no game at all", nullptr, 0, -1},
        {"after a win between two humans", &Game::onStart, -1, 0},
        {"after a win against the computer", &Game::onSente, -1, 0},
    };
    load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.onCancel();
        if (c.command) (game.*c.command)();
        std::mt19937 rng(7);
        std::vector<GamePosition> positions;
        for (int i = 0; c.presses < 0 ? s.gameOver == SIDE_NONE : i < c.presses; ++i) {
            play(MAGNETS[rng() % 4].direction);
            ASSERT_LT(i, 2000);
        }
        int expected = c.movesAfter;
        const bool won = s.gameOver != SIDE_NONE;
        if (won) {
            // Against the computer: the computer's winning move and the human's before it, or the
            // human's own winning move; between humans one move.
            const auto p = replayed(game.history().record);
            std::size_t i = p.size() - 2;
            while (!humanToMove(positionBeforeMove(p, game.history().record, i)))
                --i;
            expected = static_cast<int>(i);
        }
        const auto before = replayed(game.history().record);
        const double man = s.manSeconds, com = s.comSeconds;
        const int refusedBefore = forbidden();
        const Seen was = seen(s);
        game.onTakeBack();
        if (expected < 0) {
            EXPECT_EQ(forbidden(), refusedBefore + 1);
            EXPECT_EQ(seen(s), was);
            continue;
        }
        EXPECT_EQ(forbidden(), refusedBefore);
        EXPECT_EQ(s.moveNumber, expected);
        EXPECT_EQ(s.board, before.at(expected).board);
        EXPECT_EQ(s.kings, before.at(expected).kings);
        EXPECT_EQ(s.gameOver, SIDE_NONE);
        EXPECT_TRUE(s.gameMode == MODE_MAN || s.turn == s.sides.manSide) << "the human to move";
        EXPECT_EQ(s.manSeconds, man) << "time spent stays";
        EXPECT_EQ(s.comSeconds, com);
        EXPECT_EQ(game.history().record.moves.size(), static_cast<std::size_t>(expected));
        EXPECT_GT(fake.count("refresh"), 0);
        // Play goes on from there.
        play(Direction::Up);
        EXPECT_GT(s.moveNumber, expected);
    }
}

TEST_F(RecordTest, SteppingIsRefusedAtEitherEndAndPlayingOnDropsTheLaterMoves) {
    load();
    game.onStepBack();
    game.onStepFirst();
    EXPECT_EQ(forbidden(), 2) << "no game: nothing to step through";
    game.onStart();
    std::vector<Board> boards{s.board};
    for (Direction d : {Direction::Up, Direction::Left, Direction::Down, Direction::Right}) {
        play(d);
        boards.push_back(s.board);
    }
    ASSERT_EQ(s.moveNumber, 4);
    game.onStepForward();
    game.onStepLast();
    EXPECT_EQ(forbidden(), 4) << "at the last position";
    clearLog();
    game.onStepBack();
    EXPECT_EQ(s.board, boards[3]);
    EXPECT_EQ(s.moveNumber, 3);
    EXPECT_EQ(fake.countPrefix("pause"), 0) << "no animation";
    EXPECT_GT(fake.countPrefix("text [ 3]"), 0) << "the move number is drawn";
    game.onStepFirst();
    EXPECT_EQ(s.board, boards[0]);
    game.onStepBack();
    EXPECT_EQ(forbidden(), 1) << "at the first position";
    game.onStepForward();
    game.onStepForward();
    EXPECT_EQ(s.board, boards[2]);
    // A press while an earlier position is shown asks for a game command.
    pressMagnet(Direction::Up);
    EXPECT_EQ(s.moveNumber, 2);
    // Stepping to the end brings the game back; stepping back again and a command plays on.
    game.onStepLast();
    EXPECT_EQ(s.board, boards[4]);
    EXPECT_EQ(s.turn, SIDE_SENTE);
    game.onStepBack();
    game.onStepBack();
    game.onStart();
    EXPECT_EQ(s.moveNumber, 2);
    EXPECT_EQ(game.history().record.moves.size(), 2u);
    play(Direction::Down);
    EXPECT_EQ(s.moveNumber, 3);
    EXPECT_EQ(game.history().record.moves.size(), 3u);
    EXPECT_EQ(game.history().record.moves.back().direction, Direction::Down);
    // 最初 while stepping: the next command starts a new game from the first position.
    game.onStepBack();
    game.onCancel();
    game.onStart();
    EXPECT_EQ(s.moveNumber, 0);
    EXPECT_EQ(s.board, boards[0]);
    EXPECT_TRUE(game.history().record.moves.empty());
}

TEST_F(RecordTest, TheGameInProgressIsWrittenAfterEveryMoveAndResumesExactly) {
    load();
    EXPECT_FALSE(fake.enabled[MenuCommand::Resume]);
    game.mutableState().level = Level::初級;
    game.onGote();
    for (int i = 0; i < 5 && s.gameOver == SIDE_NONE; ++i) {
        const int writes = fake.gameInProgressWrites;
        play(i % 2 == 0 ? Direction::Up : Direction::Down);
        EXPECT_GT(fake.gameInProgressWrites, writes);
        const auto onFile = fake.readGameInProgress();
        ASSERT_TRUE(std::holds_alternative<GameRecord>(onFile));
        EXPECT_EQ(std::get<GameRecord>(onFile).moves.size(),
                  static_cast<std::size_t>(s.moveNumber));
    }
    ASSERT_EQ(s.gameOver, SIDE_NONE) << "pick presses that do not end the game";
    EXPECT_TRUE(fake.enabled[MenuCommand::Resume]);

    // Killed here: a new run offers 続きから and restores the game.
    FakePlatform next;
    next.files = fake.files;
    next.settingsFile = fake.settingsFile;
    Game resumed(next);
    resumed.onLoad();
    resumed.mutableState().level = Level::入門;
    ASSERT_TRUE(next.enabled[MenuCommand::Resume]);
    resumed.onResume();
    const GameState& r = resumed.state();
    EXPECT_EQ(seen(r), seen(s));
    EXPECT_EQ(r.kings, s.kings);
    EXPECT_EQ(r.level, Level::初級);
    EXPECT_EQ(r.manSeconds, std::floor(s.manSeconds));
    EXPECT_EQ(r.comSeconds, std::floor(s.comSeconds));
    EXPECT_GT(s.manSeconds, 10) << "the human's turns took 3 s each";
    EXPECT_TRUE(next.messages().empty());
}

TEST_F(RecordTest, AFinishedGameStaysOnFileAsFinishedAndDisablesResume) {
    load();
    game.onStart();
    std::mt19937 rng(3);
    while (s.gameOver == SIDE_NONE)
        play(MAGNETS[rng() % 4].direction);
    const GameRecord onFile = std::get<GameRecord>(fake.readGameInProgress());
    EXPECT_FALSE(onFile.result.empty());
    EXPECT_EQ(onFile.moves.size(), static_cast<std::size_t>(s.moveNumber));
    EXPECT_FALSE(fake.enabled[MenuCommand::Resume]);
}

TEST_F(RecordTest, ADamagedGameInProgressDisablesResumeAndIsKeptUntilANewGamesFirstMove) {
    const std::string damaged = "#Quorvel 棋譜\n手数----指手----消費時間--\n   1 ▲上\n   3 △左\n";
    fake.files["Quorvel.kifu"] = damaged;
    load();
    EXPECT_FALSE(fake.enabled[MenuCommand::Resume]);
    game.onResume();
    EXPECT_EQ(fake.files["Quorvel.kifu"], damaged);
    EXPECT_EQ(s.turn, SIDE_NONE);
    game.onSente();
    game.onStepBack();
    game.onTakeBack();
    EXPECT_EQ(fake.files["Quorvel.kifu"], damaged) << "nothing written before the first move";
    play(Direction::Up);
    EXPECT_NE(fake.files["Quorvel.kifu"], damaged);
    EXPECT_TRUE(fake.enabled[MenuCommand::Resume]);
}

TEST_F(RecordTest, ARefusedFileLeavesTheGameOnTheBoard) {
    load();
    game.onStart();
    std::mt19937 rng(3);
    while (s.gameOver == SIDE_NONE)
        play(MAGNETS[rng() % 4].direction);
    // The finished game and one move more.
    GameRecord won = game.history().record;
    won.moves.push_back(RecordedMove{});
    fake.files["won.kifu"] = formatRecord(won);
    const int extraLine =
        std::get<GameRecord>(parseRecord(fake.files["won.kifu"])).moves.back().line;
    game.onTakeBack();
    const Seen before = seen(s);
    fake.chosenFile = "won.kifu";
    clearLog();
    game.onOpenRecord();
    ASSERT_EQ(fake.messages().size(), 1u);
    EXPECT_NE(fake.messages()[0].find(std::to_string(extraLine) + "行目"), std::string::npos)
        << fake.messages()[0];
    EXPECT_EQ(seen(s), before);
    EXPECT_FALSE(game.history().shown);
}

}
}
