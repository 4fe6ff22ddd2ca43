// The move history: every game, played or taken back or stepped through, is the game its record
// replays; saving and opening it, and resuming the game in progress, give that game back.

#include <random>
#include <set>

#include "game/clock_text.h"
#include "game/record_replay.h"
#include "game_fixture.h"
#include "storage/record_rules.h"

namespace quorvel::testing {
namespace {

constexpr int FORBIDDEN = 2;  // the sound handle of 禁止.wav in the fake

// What a position shows, its clock totals included.
struct Seen {
    Board board;
    int princeX, princeY, moveNumber, turn, gameOver, gameMode, manSide, comSide;
    double manSeconds, comSeconds;
    bool operator==(const Seen&) const = default;
};

Seen seen(const GamePosition& p) {
    return {p.board,    p.princeX,       p.princeY,       p.moveNumber, p.turn,      p.gameOver,
            p.gameMode, p.sides.manSide, p.sides.comSide, p.manSeconds, p.comSeconds};
}

// The clock text a panel shows for a total.
std::string clockLine(double seconds, bool lower) {
    return "text [" + 調査_時間秒追加結果(seconds) +
           (lower ? "] 7785 6308 15 12" : "] 558 6308 15 12");
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

    // A turn of 3.4 s: its whole seconds and the slide's fraction make the rounding matter.
    void play(Direction d) {
        wait(3.4);
        pressMagnet(d);
    }
    // The last text the panel of the lower or the upper pieces printed.
    std::string lastClock(bool lower) const {
        const std::string suffix = lower ? "] 7785 6308 15 12" : "] 558 6308 15 12";
        for (auto line = fake.log.rbegin(); line != fake.log.rend(); ++line) {
            if (line->starts_with("text [") && line->ends_with(suffix)) return *line;
        }
        return {};
    }
    int forbidden() const { return fake.count("play " + std::to_string(FORBIDDEN)); }
};

// Random whole games of every mode, with mode switches, take-backs, stepping and playing on from
// earlier positions: after every event the record replays to the position on the board, clocks
// included; each side's own times add up to its total, which its panel shows; and the record
// saved and opened elsewhere is the same game.
TEST_F(RecordTest, EveryRandomGameIsTheGameItsRecordReplaysAndSavingAndOpeningKeepsIt) {
    load();
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
                wait(rng() % 2000 / 1000.0);
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
        const GameRecord& a = game.history().record;
        const std::vector<GamePosition> positions = replayed(a);
        double own[2] = {0, 0};  // the lower pieces' moves, the upper pieces'
        for (std::size_t i = 0; i < a.moves.size(); ++i) {
            const GamePosition before = positionBeforeMove(positions, a, i);
            own[before.turn == before.sides.manSide ? 0 : 1] += a.moves[i].seconds.value();
        }
        EXPECT_EQ(own[0], s.manSeconds) << "seed " << seed;
        EXPECT_EQ(own[1], s.comSeconds) << "seed " << seed;
        EXPECT_EQ(lastClock(true), clockLine(s.manSeconds, true)) << "seed " << seed;
        EXPECT_EQ(lastClock(false), clockLine(s.comSeconds, false)) << "seed " << seed;

        // Save, then open in another window: the same record and the same last position.
        fake.chosenFile = "game" + std::to_string(seed) + ".kifu";
        game.onSaveRecord();
        GameRecord expected = a;
        expected.result = resultOf(positions.back(), a.command);
        expected.runningSeconds.reset();
        const auto saved = parseRecord(fake.files[*fake.chosenFile]);
        ASSERT_TRUE(std::holds_alternative<GameRecord>(saved)) << "seed " << seed;
        EXPECT_TRUE(sameGame(std::get<GameRecord>(saved), expected)) << "seed " << seed;
        FakePlatform other;
        other.files = fake.files;
        other.chosenFile = fake.chosenFile;
        Game opened(other);
        opened.onLoad();
        opened.onOpenRecord();
        ASSERT_TRUE(other.messages().empty()) << other.messages().front();
        EXPECT_EQ(seen(opened.state()), seen(positions.back())) << "seed " << seed;
        if (!game.history().pendingSwitch) {
            EXPECT_EQ(seen(opened.state()), seen(s));
        }
        game.onCancel();
    }
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
        const Seen was = seen(s);
        clearLog();
        game.onTakeBack();
        if (expected < 0) {
            EXPECT_EQ(forbidden(), 1);
            EXPECT_EQ(seen(s), was);
            continue;
        }
        EXPECT_EQ(forbidden(), 0);
        EXPECT_EQ(s.moveNumber, expected);
        EXPECT_EQ(s.board, before.at(expected).board);
        EXPECT_EQ(s.kings, before.at(expected).kings);
        EXPECT_EQ(s.gameOver, SIDE_NONE);
        EXPECT_TRUE(s.gameMode == MODE_MAN || s.turn == s.sides.manSide) << "the human to move";
        // Both clocks go back to their totals before the moves taken back, and show them.
        EXPECT_EQ(s.manSeconds, before.at(expected).manSeconds);
        EXPECT_EQ(s.comSeconds, before.at(expected).comSeconds);
        EXPECT_EQ(game.history().record.moves.size(), static_cast<std::size_t>(expected));
        EXPECT_EQ(fake.count(clockLine(s.manSeconds, true)), 1);
        EXPECT_EQ(fake.count(clockLine(s.comSeconds, false)), 1);
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

// The game in progress is written once per move, after its slide (the magnet's sound), and once
// per whole second of the running turn; killed, it resumes with the running turn's time.
TEST_F(RecordTest, TheGameInProgressIsWrittenOncePerMoveAndResumesExactly) {
    load();
    EXPECT_FALSE(fake.enabled[MenuCommand::Resume]);
    game.mutableState().level = Level::初級;
    game.onGote();
    for (int i = 0; i < 5 && s.gameOver == SIDE_NONE; ++i) {
        fake.gameInProgressWriteAt.clear();
        clearLog();
        play(i % 2 == 0 ? Direction::Up : Direction::Down);
        // The human's move and the computer's answer: each written once, after its own slide.
        const auto& at = fake.gameInProgressWriteAt;
        const int slide = fake.find("play 4"), answer = fake.find("play 4", slide + 1);
        ASSERT_EQ(at.size(), 2u);
        EXPECT_TRUE(slide < int(at[0]) && int(at[0]) < answer && answer < int(at[1]));
        EXPECT_EQ(std::get<GameRecord>(fake.readGameInProgress()).moves.size(), s.moveNumber + 0u);
    }
    ASSERT_EQ(s.gameOver, SIDE_NONE) << "pick presses that do not end the game";
    EXPECT_TRUE(fake.enabled[MenuCommand::Resume]);
    // The human thinks 17.5 s under 50 ms ticks: one write per whole second.
    fake.gameInProgressWriteAt.clear();
    for (int tick = 0; tick < 350; ++tick, wait(0.05))
        game.onTimerTick();
    EXPECT_EQ(fake.gameInProgressWriteAt.size(), 17u);

    // Killed here: a new run offers 続きから and restores the game and the turn's 17 s.
    FakePlatform next;
    next.files = fake.files;
    next.settingsFile = fake.settingsFile;
    next.now = fake.now + 600;
    Game resumed(next);
    resumed.onLoad();
    resumed.mutableState().level = Level::入門;
    ASSERT_TRUE(next.enabled[MenuCommand::Resume]);
    resumed.onResume();
    const GameState& r = resumed.state();
    EXPECT_EQ(seen(r), seen(s));
    EXPECT_EQ(r.kings, s.kings);
    EXPECT_EQ(r.level, Level::初級);
    EXPECT_GT(s.manSeconds, 10) << "the human's turns took 3.4 s each";
    EXPECT_TRUE(next.messages().empty());
    next.now += 2.5;
    resumed.onTimerTick();
    EXPECT_EQ(next.count(clockLine(s.manSeconds + 19, true)), 1);
}

TEST_F(RecordTest, AFailedWriteIsToldOncePerFailureStreakAndPlayGoesOn) {
    load();
    game.onStart();
    clearLog();
    const std::string told = "棋譜|対局中の棋譜を書き込めません\rQuorvel.kifu\rディスク満杯|!";
    // Streaks of two moves each: failing, writing, failing again.
    const std::pair<bool, std::size_t> streaks[] = {{false, 1}, {true, 1}, {false, 2}};
    for (const auto& [writable, boxes] : streaks) {
        fake.unwritable.clear();
        if (!writable) fake.unwritable["Quorvel.kifu"] = "ディスク満杯";
        play(Direction::Up);
        play(Direction::Down);
        EXPECT_EQ(fake.messages().size(), boxes);
        EXPECT_EQ(fake.messages().back(), told);
    }
    EXPECT_EQ(s.moveNumber, 6);
}

// The box of a failed write opens in the middle of a move, and the window's ticks run under it:
// the mover's clock shows its new total, not the move's time counted twice.
TEST_F(RecordTest, ATickUnderTheBoxOfAFailedWriteShowsTheMoversTotalOnce) {
    load();
    game.onStart();
    clearLog();
    fake.unwritable["Quorvel.kifu"] = "ディスク満杯";
    fake.whileMessageOpen = [this] {
        wait(0.5);
        game.onTimerTick();
    };
    play(Direction::Up);
    ASSERT_EQ(fake.messages().size(), 1u);
    EXPECT_EQ(lastClock(true), "text [" + 調査_時間秒追加結果(s.manSeconds) + "] 7785 6308 15 12");
    EXPECT_EQ(s.manSeconds, 4) << "3.4 s of thought and the slide's own time";
}

// A finished record opens on its last position as the win showed it: the outlines of the
// attacker and the attacked king, no message. With a game in progress 開く… asks first.
TEST_F(RecordTest, AFinishedRecordOpensAsTheWinShowedItAndAGameInProgressIsAskedFirst) {
    load();
    game.onStart();
    for (Direction d : {Direction::Up, Direction::Down, Direction::Left})
        play(d);
    clearLog();
    play(Direction::Up);
    ASSERT_EQ(s.gameOver, SIDE_GOTE);
    // The win outlines the attacker, then the king, and blinks them.
    auto outlines = [this] { return std::set<std::string>(fake.log.begin(), fake.log.end()); };
    const std::set<std::string> won = outlines();
    fake.chosenFile = "won.kifu";
    game.onSaveRecord();
    game.onStart();
    play(Direction::Left);
    const Seen playing = seen(s);

    fake.answerYes = false;
    clearLog();
    game.onOpenRecord();
    EXPECT_EQ(fake.log, std::vector<std::string>{"question 棋譜|対局中です。棋譜を開きますか？"});
    EXPECT_EQ(seen(s), playing);

    fake.answerYes = true;
    clearLog();
    game.onOpenRecord();
    EXPECT_EQ(fake.countPrefix("question "), 1);
    EXPECT_TRUE(fake.messages().empty());
    EXPECT_EQ(s.gameOver, SIDE_GOTE);
    EXPECT_EQ(fake.countPrefix("outline 12 "), 2);
    for (const std::string& line : outlines())
        EXPECT_TRUE(!line.starts_with("outline 12 ") || won.count(line)) << line;
    // Shown, the opened record is no game in progress: opening another asks nothing.
    clearLog();
    game.onOpenRecord();
    EXPECT_EQ(fake.countPrefix("question "), 0);
}

// The record keeps at most RECORD_MAX_MOVES moves: the game plays on past them, the player is
// told once, and the game in progress on file stays a readable record of those moves.
TEST_F(RecordTest, AGamePastTheRecordsLimitKeepsAReadableRecordOfItsFirstMoves) {
    GameRecord record;
    record.startedAt = "2026/12/08 13:05:00";
    for (std::size_t i = 0; i + 1 < RECORD_MAX_MOVES; ++i)
        record.moves.push_back({i % 2 ? Direction::Down : Direction::Up, 0, 0, std::nullopt, 0});
    fake.files["Quorvel.kifu"] = formatRecord(record);
    load();
    game.onResume();
    ASSERT_EQ(s.moveNumber, static_cast<int>(RECORD_MAX_MOVES) - 1);
    for (int i = 0; i < 3; ++i)
        play(i % 2 ? Direction::Up : Direction::Down);
    EXPECT_EQ(s.moveNumber, static_cast<int>(RECORD_MAX_MOVES) + 2);
    EXPECT_EQ(
        fake.messages(),
        std::vector<std::string>{"棋譜|棋譜は10,000手までです。この後の指し手は棋譜に残りません"});
    const auto onFile = fake.readGameInProgress();
    ASSERT_TRUE(std::holds_alternative<GameRecord>(onFile));
    EXPECT_EQ(std::get<GameRecord>(onFile).moves.size(), RECORD_MAX_MOVES);
    EXPECT_LE(fake.files["Quorvel.kifu"].size(), RECORD_MAX_FILE_BYTES);
    // The moves past the record cannot be taken back by it.
    game.onTakeBack();
    EXPECT_EQ(forbidden(), 1);
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
