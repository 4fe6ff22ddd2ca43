#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(GameTest, StartTwiceBeforeAnyMoveAsksTheFirstPlayerBothTimes) {
    load();
    game.onStart();
    game.onStart();
    EXPECT_EQ(fake.messages(), (std::vector<std::string>{" |先手の番です", " |先手の番です"}));
    EXPECT_EQ(s.turn, SIDE_SENTE);
    EXPECT_EQ(s.sides.manSide, SIDE_SENTE);
    EXPECT_EQ(s.gameMode, MODE_MAN);
    EXPECT_TRUE(fake.timer) << "the clocks are shown, so the timer runs";
}

TEST_F(GameTest, StartWithTheClocksHiddenLeavesTheTimerOff) {
    fake.settingsFile->at(2) = "経過時間=OFF";
    load();
    game.onStart();
    EXPECT_FALSE(fake.timer);
}

TEST_F(GameTest, GoteAfterLoadLetsTheComputerMoveAtOnceWithoutAMessage) {
    load();
    game.onGote();
    EXPECT_TRUE(fake.messages().empty());
    EXPECT_EQ(s.moveNumber, 1);
    EXPECT_EQ(s.sides.comSide, SIDE_SENTE);
    EXPECT_EQ(s.sides.manSide, SIDE_GOTE);
    EXPECT_EQ(s.turn, s.sides.manSide);
    EXPECT_GT(fake.countPrefix("pause"), 0);
    Board first;
    layFirstPosition(first);
    EXPECT_NE(s.board, first);
}

TEST_F(GameTest, SenteDuringATwoHumanGameWithTheSecondToMoveLetsTheComputerPlay) {
    load();
    game.onStart();
    pressMagnet(Direction::Up);
    ASSERT_EQ(s.turn, SIDE_GOTE);
    clearLog();
    game.onSente();
    EXPECT_EQ(s.gameMode, MODE_COM);
    EXPECT_EQ(s.moveNumber, 2);
    EXPECT_EQ(s.turn, SIDE_SENTE);
    EXPECT_EQ(s.turn, s.sides.manSide);
    EXPECT_TRUE(fake.messages().empty());
}

TEST_F(GameTest, GoteDuringATwoHumanGameWithTheFirstToMoveOnlyAsks) {
    load();
    game.onStart();
    pressMagnet(Direction::Up);
    pressMagnet(Direction::Down);
    ASSERT_EQ(s.turn, SIDE_SENTE);
    const Board before = s.board;
    clearLog();
    game.onGote();
    EXPECT_EQ(fake.messages(), std::vector<std::string>{"対局|MANの番です"});
    EXPECT_EQ(s.board, before);
    EXPECT_EQ(s.turn, SIDE_SENTE);
    EXPECT_EQ(s.gameMode, MODE_COM);
    // From now on the computer answers every move; here its answer wins.
    pressMagnet(Direction::Left);
    EXPECT_EQ(s.moveNumber, 4);
    EXPECT_EQ(s.gameOver, SIDE_GOTE);
}

TEST_F(GameTest, StartDuringAComputerGameKeepsThePositionAndNamesTheSideToMove) {
    load();
    game.onSente();
    pressMagnet(Direction::Up);
    const Board position = s.board;
    clearLog();
    game.onStart();
    EXPECT_EQ(s.gameMode, MODE_MAN);
    EXPECT_EQ(s.board, position);
    EXPECT_EQ(fake.messages(), std::vector<std::string>{" |先手の番です"});
}

TEST_F(GameTest, SenteAfterGoteRelabelsTheHumanAsFirstPlayer) {
    load();
    game.onGote();
    clearLog();
    game.onSente();
    EXPECT_EQ(fake.messages(), std::vector<std::string>{"対局|MANの番です"});
    EXPECT_EQ(s.sides.manSide, SIDE_SENTE);
    EXPECT_EQ(s.sides.comSide, SIDE_GOTE);
    EXPECT_EQ(s.turn, SIDE_SENTE);
}

TEST_F(GameTest, CancelPutsBackTheFirstPositionAndPlaysThePieceSound) {
    load();
    game.onSente();
    pressMagnet(Direction::Down);
    clearLog();
    game.onCancel();
    Board first;
    layFirstPosition(first);
    EXPECT_EQ(s.board, first);
    EXPECT_EQ(s.turn, SIDE_NONE);
    EXPECT_EQ(s.gameMode, MODE_MAN);
    EXPECT_EQ(s.moveNumber, 0);
    EXPECT_FALSE(fake.timer);
    EXPECT_EQ(fake.log.back(), "play 3");
}

TEST_F(GameTest, EscapeQuitsOnceAndFreesTheSoundsInOrder) {
    load();
    game.onKey('a');
    game.onKey(13);
    EXPECT_TRUE(fake.log.empty()) << "other keys do nothing";
    game.onKey(27);
    game.onQuit();  // the window's close event follows
    const std::vector<std::string> expected{"free 1", "free 2",          "free 3", "free 4",
                                            "free 5", "sound terminate", "quit"};
    EXPECT_EQ(fake.log, expected);
}

}
}
