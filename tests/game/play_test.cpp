#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(GameTest, PressBeforeAGameAsksToStartOne) {
    load();
    pressMagnet(Direction::Left);
    EXPECT_EQ(fake.log,
              (std::vector<std::string>{"play 2", "message 開始|「対局」で始めて下さい"}));
}

TEST_F(GameTest, PressesOffTheMagnetsDoNothing) {
    load();
    game.onStart();
    const GameState before = s;
    clearLog();
    for (int x = -3; x <= 14; ++x) {
        for (int y = -2; y <= 12; ++y) {
            const bool magnet = (x == -1 && y == 5) || (x == 11 && y == 5) || (x == 5 && y == -1) ||
                                (x == 5 && y == 11);
            if (!magnet) pressCell(x, y);
        }
    }
    EXPECT_TRUE(fake.log.empty());
    EXPECT_EQ(s.board, before.board);
    EXPECT_EQ(s.moveNumber, 0);
}

TEST_F(GameTest, PressPositionsMapToCellsByFloorDivision) {
    load();
    game.onStart();
    clearLog();
    game.onMousePress(854, 3725);  // column -2
    EXPECT_EQ(s.moveNumber, 0);
    game.onMousePress(855, 3725);  // left edge of cell (-1, 5)
    EXPECT_EQ(s.moveNumber, 1);
    game.onMousePress(7290 - 0.001, 3725);  // right edge of cell (11, 5) is 7290
    EXPECT_EQ(s.moveNumber, 2);
    game.onMousePress(3825, 650 - 615 - 0.5);  // row -2
    EXPECT_EQ(s.moveNumber, 2);
}

TEST_F(GameTest, AHumanMoveStepsThePrinceBlinksSlidesAndHandsOver) {
    load();
    game.onStart();
    clearLog();
    pressMagnet(Direction::Up);
    EXPECT_EQ(s.princeX, 5);
    EXPECT_EQ(s.princeY, 4);
    const int step = fake.find("play 3");
    const int blinkOff = fake.find("picture 2 5 -1");
    const int blinkOn = fake.find("picture 201 5 -1", blinkOff);
    const int magnet = fake.find("play 4");
    ASSERT_GE(step, 0);
    EXPECT_LT(step, blinkOff) << "the prince steps before the magnet blinks";
    EXPECT_LT(blinkOn, magnet) << "the magnet sound follows the slide";
    EXPECT_EQ(fake.count("picture 201 5 -1"), 2) << "two blinks";
    EXPECT_EQ(fake.countPrefix("outline 2 5 -1"), 0) << "no outline around a magnet";
    EXPECT_EQ(s.turn, SIDE_GOTE);
    EXPECT_EQ(s.moveNumber, 1);
}

TEST_F(GameTest, EverySlideStepIsDrawnAndShownForAFrame) {
    load();
    game.onStart();
    setPosition(R"(
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 G  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  *
 .  .  .  .  K  .  .  .  .
)");
    pressMagnet(Direction::Right);
    // The gold crosses eight squares; the kings and the prince stay.
    EXPECT_EQ(s.board(9, 4), LOWER_GOLD);
    EXPECT_EQ(fake.count("pause 0.015625"), 8);
    EXPECT_EQ(fake.countPrefix("outline 2 "), 8 * 81);
}

TEST_F(GameTest, ABlockedPrinceStillMakesAFullMove) {
    load();
    game.onStart();
    GameState& state = game.mutableState();
    state.board(5, 5) = EMPTY;
    state.board(1, 5) = PRINCE;
    state.princeX = 1;
    clearLog();
    pressMagnet(Direction::Left);
    EXPECT_EQ(s.princeX, 1);
    EXPECT_EQ(fake.count("play 3"), 0) << "no piece sound without a step";
    EXPECT_EQ(fake.count("play 4"), 1);
    EXPECT_EQ(s.moveNumber, 1);
    EXPECT_EQ(s.turn, SIDE_GOTE);
}

constexpr const char* kKingsApart = R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 *  .  .  .  .  .  .  .  .
)";

TEST_F(GameTest, BothKingsAttackedAgainstTheComputerTheHumanWins) {
    load();
    game.onSente();
    setPosition(kKingsApart);
    pressMagnet(Direction::Up);  // the lower king slides up against the upper king
    EXPECT_EQ(s.gameOver, s.sides.manSide);
    EXPECT_EQ(fake.messages(), std::vector<std::string>{"終了|あなたの勝ちです"});
    EXPECT_FALSE(fake.timer);
}

TEST_F(GameTest, BothKingsAttackedBetweenHumansTheFirstPlayerWins) {
    load();
    game.onStart();
    setPosition(kKingsApart);
    pressMagnet(Direction::Up);
    EXPECT_EQ(s.gameOver, SIDE_SENTE);
    EXPECT_EQ(fake.messages(), std::vector<std::string>{"終了|先手の勝ちです"});
}

TEST_F(GameTest, TheHumansOwnMoveCanLetTheComputerWin) {
    load();
    game.onSente();
    // Sliding up brings the upper gold's forward square onto the lower king; the lower side
    // attacks nothing.
    setPosition(R"(
 k  .  .  .  .  .  .  .  .
 *  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)");
    pressMagnet(Direction::Up);
    EXPECT_EQ(s.gameOver, s.sides.comSide);
    EXPECT_EQ(fake.messages(), std::vector<std::string>{"終了|ｺﾝﾋﾟｭｰﾀの勝ちです"});
}

TEST_F(GameTest, AWinIsShownInOrderAndLaterPressesAreRefused) {
    load();
    game.onStart();
    setPosition(kKingsApart);
    pressMagnet(Direction::Up);
    // Attacker is the lower king on (5, 2), the attacked king the upper one on (5, 1).
    const int outlineAttacker = fake.find("outline 12 5 2");
    const int outlineKing = fake.find("outline 12 5 1", outlineAttacker);
    const int blinkStart = fake.find("picture 0 5 2", outlineKing);
    const int chime = fake.find("play 1", blinkStart);
    const int message = fake.find("message 終了|先手の勝ちです", chime);
    EXPECT_GE(outlineAttacker, 0);
    EXPECT_GT(outlineKing, outlineAttacker);
    EXPECT_GT(blinkStart, outlineKing);
    EXPECT_GT(chime, blinkStart);
    EXPECT_GT(message, chime);
    EXPECT_EQ(fake.count("picture -950 5 2"), 3 + 1) << "three blinks after the slide's draw";
    EXPECT_EQ(fake.count("picture 950 5 1"), 2 + 2) << "two slide frames and two blinks";

    clearLog();
    const Board finalBoard = s.board;
    pressMagnet(Direction::Down);
    EXPECT_EQ(fake.log, std::vector<std::string>{"message 終局|新規に対局してください"});
    EXPECT_EQ(s.board, finalBoard);

    game.onSente();  // a game command after a win starts from the first position
    Board first;
    layFirstPosition(first);
    EXPECT_EQ(s.board, first);
    EXPECT_EQ(s.gameOver, SIDE_NONE);
}

TEST_F(GameTest, AComputerGamePlaysToAWinDeterministically) {
    // The human always chooses the magnets in a fixed cycle; the game must end, and the same
    // cycle gives the same game.
    auto play = [](FakePlatform& f, Game& g) {
        g.onLoad();
        g.onSente();
        const Direction cycle[] = {Direction::Up, Direction::Left, Direction::Down,
                                   Direction::Right, Direction::Up};
        for (int i = 0; i < 400 && g.state().gameOver == SIDE_NONE; ++i) {
            const Magnet& m = magnetOf(cycle[i % 5]);
            g.onMousePress(cellToUnitsX(m.cellX + 0.5), cellToUnitsY(m.cellY + 0.5));
            EXPECT_TRUE(g.state().gameOver != SIDE_NONE ||
                        g.state().turn == g.state().sides.manSide);
        }
        return f.log;
    };
    FakePlatform f1, f2;
    Game g1(f1), g2(f2);
    const auto log1 = play(f1, g1);
    const auto log2 = play(f2, g2);
    ASSERT_NE(g1.state().gameOver, SIDE_NONE) << "no winner after 400 presses";
    EXPECT_EQ(log1, log2);
    const auto messages = f1.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back() == "終了|あなたの勝ちです" ||
                messages.back() == "終了|ｺﾝﾋﾟｭｰﾀの勝ちです")
        << messages.back();
}

}
}
