#include "game/repetition.h"

#include "game/record_replay.h"
#include "game_fixture.h"
#include "storage/game_record.h"

namespace quorvel::testing {
namespace {

// 上 and 下 in turn from the first position: the position after the first move comes back after
// every second move, for the fourth time after the seventh.
constexpr int CIRCLE_MOVES = 7;

Direction circleMove(int index) {
    return index % 2 == 0 ? Direction::Up : Direction::Down;
}

GameRecord circleRecord(GameCommand command, bool rule, int moves) {
    GameRecord record;
    record.startedAt = "2026/12/08 13:05:00";
    record.command = command;
    record.repetitionDraw = rule;
    for (int i = 0; i < moves; ++i)
        record.moves.push_back({circleMove(i), std::nullopt, std::nullopt, std::nullopt, i + 1});
    return record;
}

TEST(Repetition, TheFourthOccurrenceEndsOnlyAGameUnderTheRuleThatNoWinEnded) {
    const GamePosition first = startPosition(GameCommand::Start, true);
    GamePosition won = first;
    won.gameOver = SIDE_SENTE;
    GamePosition off = first;
    off.repetitionDraw = false;
    GamePosition otherToMove = first;
    otherToMove.turn = first.sides.comSide;
    struct Case {
        const char* name;
        int earlier;
        GamePosition position;
        bool ends;
    } const cases[] = {
        {"FourthOccurrence", 3, first, true},       {"ThirdOccurrence", 2, first, false},
        {"WinCompletingIt", 3, won, false},         {"RuleOff", 3, off, false},
        {"OtherSideToMove", 3, otherToMove, false},
    };
    for (const Case& c : cases) {
        const std::vector<GamePosition> before(c.earlier, first);
        EXPECT_EQ(endsInRepetition(before, c.position), c.ends) << c.name;
    }
}

TEST(Repetition, ReplayEndsTheCircleAtItsFourthOccurrenceAndRefusesAMoveAfterIt) {
    for (const GameCommand command : {GameCommand::Start, GameCommand::Sente}) {
        for (const bool rule : {false, true}) {
            const auto replay = replayRecord(circleRecord(command, rule, CIRCLE_MOVES));
            const auto& positions = std::get<std::vector<GamePosition>>(replay);
            for (std::size_t i = 0; i + 1 < positions.size(); ++i)
                EXPECT_FALSE(positions[i].drawn) << i;
            EXPECT_EQ(positions.back().drawn, rule);
            EXPECT_EQ(positions.back().gameOver, SIDE_NONE);
            EXPECT_EQ(resultOf(positions.back(), command),
                      rule ? "まで7手で千日手" : std::string());

            // Read back from its text, the record ends the same way; a move after it is refused.
            GameRecord record = circleRecord(command, rule, CIRCLE_MOVES + 1);
            const auto read = parseRecord(formatRecord(record));
            ASSERT_TRUE(std::holds_alternative<GameRecord>(read));
            EXPECT_EQ(std::get<GameRecord>(read).repetitionDraw, rule);
            const auto longer = replayRecord(record);
            EXPECT_EQ(std::holds_alternative<RecordError>(longer), rule);
            if (rule) {
                EXPECT_EQ(std::get<RecordError>(longer).line, CIRCLE_MOVES + 1);
            }
        }
    }
}

// Two humans play the circle; the option as it was when the game began decides.
TEST_F(GameTest, TwoHumansCircleEndsAsRepetitionOnlyWhenTheGameBeganUnderTheOption) {
    struct Case {
        bool onAtStart;
        bool toggledDuringGame;
        bool drawn;
    } const cases[] = {
        {false, false, false}, {true, false, true}, {false, true, false}, {true, true, true}};
    for (const Case& c : cases) {
        FakePlatform fake;
        Game game(fake);
        fake.settingsFile = this->fake.settingsFile;
        game.onLoad();
        if (c.onAtStart) game.onRepetitionDraw();
        game.onStart();
        if (c.toggledDuringGame) game.onRepetitionDraw();
        for (int i = 0; i < CIRCLE_MOVES; ++i) {
            const Magnet& m = magnetOf(circleMove(i));
            game.onMousePress(cellToUnitsX(m.cellX + 0.5), cellToUnitsY(m.cellY + 0.5));
        }
        const GameState& s = game.state();
        EXPECT_EQ(s.drawn, c.drawn) << c.onAtStart << c.toggledDuringGame;
        EXPECT_EQ(s.gameOver, SIDE_NONE);
        EXPECT_EQ(fake.count("message 終局|千日手です"), c.drawn ? 1 : 0);
        EXPECT_EQ(fake.countPrefix("text [千日手]"), c.drawn ? 2 : 0);
        EXPECT_EQ(fake.timer, !c.drawn);
        EXPECT_EQ(game.history().record.repetitionDraw, c.onAtStart);
        EXPECT_EQ(fake.files["Quorvel.kifu"].ends_with("まで7手で千日手\n"), c.drawn);
        EXPECT_EQ(fake.enabled[MenuCommand::Resume], !c.drawn);

        // A further press is refused as after a win; 待った takes the ending back.
        const int moveNumber = s.moveNumber;
        game.onMousePress(cellToUnitsX(magnetOf(Direction::Up).cellX + 0.5),
                          cellToUnitsY(magnetOf(Direction::Up).cellY + 0.5));
        EXPECT_EQ(fake.count("message 終局|新規に対局してください"), c.drawn ? 1 : 0);
        EXPECT_EQ(s.moveNumber, moveNumber + (c.drawn ? 0 : 1));
        if (!c.drawn) continue;
        game.onTakeBack();
        EXPECT_FALSE(s.drawn);
        EXPECT_EQ(s.moveNumber, CIRCLE_MOVES - 1);
    }
}

// Against the computer, the human's move that completes the circle ends a resumed game.
TEST_F(GameTest, ResumedGameAgainstTheComputerEndsAsRepetition) {
    fake.files["Quorvel.kifu"] =
        formatRecord(circleRecord(GameCommand::Sente, true, CIRCLE_MOVES - 1));
    load();
    game.onResume();
    pressMagnet(circleMove(CIRCLE_MOVES - 1));
    EXPECT_TRUE(s.drawn);
    EXPECT_EQ(s.moveNumber, CIRCLE_MOVES);
    EXPECT_EQ(fake.count("message 終局|千日手です"), 1);
    EXPECT_FALSE(fake.timer);
}

}
}

namespace quorvel::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(RepetitionOption, IsReadFromItsLineAndWrittenAfterTheOthersOnceChanged) {
    const Lines four{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=OFF"};
    struct Case {
        Lines extra;
        bool on;
        Lines afterToggle;
    } const cases[] = {
        {{}, false, {"千日手=ON"}},
        {{"強さ=上級", "千日手=ON"}, true, {"強さ=上級", "千日手=OFF"}},
        {{"千日手=on", "言語=English"}, false, {"千日手=ON", "言語=English"}},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        Game game(fake);
        Lines file = four;
        file.insert(file.end(), c.extra.begin(), c.extra.end());
        fake.settingsFile = file;
        game.onLoad();
        EXPECT_EQ(fake.marks[MenuItem::SENNICHITE], c.on) << file.back();
        game.onRepetitionDraw();
        Lines expected = four;
        expected.insert(expected.end(), c.afterToggle.begin(), c.afterToggle.end());
        EXPECT_EQ(fake.settingsFile, std::optional<Lines>(expected));
        EXPECT_EQ(fake.marks[MenuItem::SENNICHITE], !c.on);
    }
}

}
}
