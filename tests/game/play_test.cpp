#include "game_fixture.h"
#include "positions.h"

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

// Sliding up brings the lower king against the upper one: both kings are attacked.
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

// A whole game over the recording fake. The script's letters: S スタート, P 先手, G 後手, @ the
// case's position is put on the board, U D L R a press on that magnet, a digit that many seconds
// pass.
struct GameCase {
    const char* name;
    const char* script;
    const char* position;
    const char* messages;  // the boxes shown, in order, separated by "; "
    int winner;
    int moveNumber;
    const char* shown;  // a line the game must have drawn or played, if any
    const char* finalBoard;
};

class WholeGame : public GameTest, public ::testing::WithParamInterface<GameCase> {};

TEST_P(WholeGame, EndsAsExpected) {
    const GameCase& c = GetParam();
    load();
    const Direction magnets[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
    for (const char step : std::string_view(c.script)) {
        const std::size_t magnet = std::string_view("LRUD").find(step);
        if (magnet != std::string_view::npos) pressMagnet(magnets[magnet]);
        if (step == 'S') game.onStart();
        if (step == 'P') game.onSente();
        if (step == 'G') game.onGote();
        if (step == '@') setPosition(c.position, false);
        if (std::isdigit(static_cast<unsigned char>(step))) fake.now += step - '0';
    }
    std::string messages;
    for (const std::string& m : fake.messages())
        messages += messages.empty() ? m : "; " + m;
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(s.gameOver, c.winner);
    EXPECT_EQ(s.moveNumber, c.moveNumber);
    EXPECT_TRUE(!c.shown || fake.find(c.shown) >= 0) << c.shown;
    EXPECT_TRUE(!c.finalBoard || s.board == fromText(c.finalBoard)) << toText(s.board);
}

// Sliding down brings the upper gold to (5, 8), onto the lower king; the lower side attacks
// nothing. Sliding up brings that gold's forward square onto the lower king as well.
constexpr const char* kGoldOverKing = R"(
 k  .  .  .  .  .  .  .  *
 .  .  .  .  .  .  .  .  .
 .  .  .  .  g  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
)";

// After the human's left the column holds k (1, 1), g (1, 3), K (1, 9): nobody is attacked.
// The computer's down brings the gold to (1, 8) onto the king and fills two squares (1001),
// more than up (1000).
constexpr const char* kComputerToWin = R"(
 .  .  .  .  .  .  .  .  k
 .  .  .  .  .  .  .  .  .
 g  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 K  .  .  .  .  .  .  .  .
)";

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeGame,
    ::testing::Values(
        GameCase{"BothKingsAttackedTheHumanBeatsTheComputer", "P@U", kKingsApart,
                 " |MANの番です; 終了|あなたの勝ちです", SIDE_SENTE, 1, "outline 12 5 2", nullptr},
        GameCase{"BothKingsAttackedTheFirstOfTwoHumansWins", "S@U", kKingsApart,
                 " |先手の番です; 終了|先手の勝ちです", SIDE_SENTE, 1, "outline 12 5 2", nullptr},
        GameCase{"TheSecondOfTwoHumansWins", "SU@D", kGoldOverKing,
                 " |先手の番です; 終了|後手の勝ちです", SIDE_GOTE, 2, "outline 12 5 8", nullptr},
        GameCase{"TheHumansOwnMoveLetsTheComputerWin", "P@U", kGoldOverKing,
                 " |MANの番です; 終了|ｺﾝﾋﾟｭｰﾀの勝ちです", SIDE_GOTE, 1, "outline 12 5 1", nullptr},
        GameCase{"TheComputerWinsOnItsOwnMove", "P@L", kComputerToWin,
                 " |MANの番です; 終了|ｺﾝﾋﾟｭｰﾀの勝ちです", SIDE_GOTE, 2, "outline 12 1 8", nullptr},
        GameCase{"StartNamesTheSecondPlayerToMove", "SUS", nullptr,
                 " |先手の番です;  |後手の番です", SIDE_NONE, 1, nullptr, nullptr},
        GameCase{"StartAfterAWinBeginsANewGame", "S@US", kKingsApart,
                 " |先手の番です; 終了|先手の勝ちです;  |先手の番です", SIDE_NONE, 0, nullptr,
                 kFirstPositionText},
        GameCase{"GoteAfterAWinLetsTheComputerOpenANewGame", "S@UG", kKingsApart,
                 " |先手の番です; 終了|先手の勝ちです", SIDE_NONE, 1, nullptr, nullptr},
        // Four seconds, the move's two magnet blinks (0.8 s) and its slide (5/64 s): 4.88 s on
        // the second player's clock, which is the upper panel's.
        GameCase{"TheSecondOfTwoHumansHasTheUpperClock", "S5U4D", nullptr, " |先手の番です",
                 SIDE_NONE, 2, "text [00:00:04] 558 6308 15 12", nullptr}),
    [](const ::testing::TestParamInfo<GameCase>& info) { return std::string(info.param.name); });

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

// The human always chooses the magnets in a fixed cycle; the computer's answers are fixed too,
// so the game always ends the same way: the computer wins with its second move.
TEST_F(GameTest, AComputerGameAgainstAFixedCycleEndsTheSameWay) {
    load();
    game.onSente();
    const Direction cycle[] = {Direction::Up, Direction::Left, Direction::Down, Direction::Right,
                               Direction::Up};
    for (int i = 0; i < 400 && s.gameOver == SIDE_NONE; ++i) {
        pressMagnet(cycle[i % 5]);
        EXPECT_TRUE(s.gameOver != SIDE_NONE || s.turn == s.sides.manSide);
    }
    EXPECT_EQ(s.gameOver, SIDE_GOTE);
    EXPECT_EQ(s.moveNumber, 4);
    EXPECT_EQ(fake.messages().back(), "終了|ｺﾝﾋﾟｭｰﾀの勝ちです");
}

}
}
