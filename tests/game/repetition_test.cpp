#include "game/repetition.h"

#include "game/record_replay.h"
#include "game_fixture.h"

namespace quorvel::testing {
namespace {

// 上 and 下 in turn: the position after the first move comes back after every second move, for
// the fourth time after the seventh.
constexpr int CIRCLE = 7;

GameRecord circle(GameCommand command, bool rule, int moves) {
    GameRecord r{"2026/12/08 13:05:00", command, Level::入門, "", "", rule, {}, {}, {}};
    for (int i = 0; i < moves; ++i)
        r.moves.push_back({i % 2 ? Direction::Down : Direction::Up, {}, {}, {}, i + 1});
    return r;
}

TEST(Repetition, FourthOccurrenceEndsAGameUnderTheRuleUnlessTheMoveWon) {
    const GamePosition p = startPosition(GameCommand::Start, true);
    GamePosition won = p, off = p;
    won.gameOver = SIDE_SENTE;
    off.repetitionDraw = false;
    const std::vector<GamePosition> three(3, p), two(2, p);
    EXPECT_TRUE(endsInRepetition(three, p));
    EXPECT_FALSE(endsInRepetition(two, p));
    EXPECT_FALSE(endsInRepetition(three, won));
    EXPECT_FALSE(endsInRepetition(three, off));
}

TEST(Repetition, ReplayOfTheRecordTextEndsTheCircleAndRefusesAMoveAfterIt) {
    for (const GameCommand command : {GameCommand::Start, GameCommand::Sente}) {
        for (const bool rule : {false, true}) {
            const auto read = parseRecord(formatRecord(circle(command, rule, CIRCLE)));
            const auto positions =
                std::get<std::vector<GamePosition>>(replayRecord(std::get<GameRecord>(read)));
            EXPECT_FALSE(positions[CIRCLE - 1].drawn);
            EXPECT_EQ(positions[CIRCLE].drawn, rule);
            EXPECT_EQ(resultOf(positions.back(), command), rule ? "まで7手で千日手" : "");
            const auto longer = replayRecord(circle(command, rule, CIRCLE + 1));
            EXPECT_EQ(std::holds_alternative<RecordError>(longer), rule);
        }
    }
}

// Two humans play the circle: the option as it stood when the game began decides.
TEST(RepetitionGame, TwoHumansCircleEndsOnlyInAGameBegunUnderTheOption) {
    for (const bool onAtStart : {false, true}) {
        FakePlatform fake;
        fake.settingsFile = {{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=OFF"}};
        Game game(fake);
        game.onLoad();
        if (onAtStart) game.onRepetitionDraw();
        game.onStart();
        if (!onAtStart) game.onRepetitionDraw();
        for (int i = 0; i <= CIRCLE; ++i) {  // the last press comes after the circle
            const Magnet& m = magnetOf(i % 2 ? Direction::Down : Direction::Up);
            game.onMousePress(cellToUnitsX(m.cellX + 0.5), cellToUnitsY(m.cellY + 0.5));
        }
        EXPECT_EQ(game.state().drawn, onAtStart);
        EXPECT_EQ(game.state().moveNumber, onAtStart ? CIRCLE : CIRCLE + 1);
        EXPECT_EQ(fake.count("message 終局|千日手です"), onAtStart);
        EXPECT_EQ(fake.count("message 終局|新規に対局してください"), onAtStart);
        EXPECT_EQ(fake.countPrefix("text [千日手]"), onAtStart ? 2 : 0);
        EXPECT_EQ(fake.timer, !onAtStart);
        EXPECT_EQ(fake.files["Quorvel.kifu"].ends_with("まで7手で千日手\n"), onAtStart);
        // Turned on before or during the game, the option is kept on its own line after the others.
        EXPECT_EQ(fake.settingsFile->back(), "千日手=ON");
    }
}

// Against the computer, the human's press that completes the circle ends a resumed game.
TEST_F(GameTest, ResumedGameAgainstTheComputerEndsAsRepetition) {
    fake.files["Quorvel.kifu"] = formatRecord(circle(GameCommand::Sente, true, CIRCLE - 1));
    load();
    game.onResume();
    pressMagnet(Direction::Up);
    EXPECT_TRUE(s.drawn);
    EXPECT_EQ(s.moveNumber, CIRCLE);
    EXPECT_FALSE(fake.timer);
}

TEST(RepetitionOption, IsReadFromItsLineAndADamagedOneMeansOff) {
    for (const auto& [line, on] : {std::pair{"千日手=ON", true}, {"千日手=on", false}}) {
        FakePlatform fake;
        fake.settingsFile = {{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=OFF", line}};
        Game game(fake);
        game.onLoad();
        EXPECT_EQ(fake.marks[MenuItem::SENNICHITE], on) << line;
    }
}

}
}
