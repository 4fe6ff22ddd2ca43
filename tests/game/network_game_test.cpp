// A friend over the network as a mover, and 投了 in every mode.

#include <algorithm>
#include <tuple>

#include "game/record_replay.h"
#include "game_fixture.h"

namespace quorvel::testing {
namespace {

// The friend's side of the network as the game sees it: every call, as a line.
struct FakePeer : RemotePeer {
    std::vector<std::string> calls;
    void localMove(Direction d, int n) override {
        calls.push_back(std::string(wordOf(d)) + std::to_string(n));
    }
    void localResigned() override { calls.push_back("resigned"); }
    void askTakeBack(int keep) override { calls.push_back("take back " + std::to_string(keep)); }
};

NetworkGameSetup setupFor(int localSide) {
    return {localSide, "me@example.org", "friend@example.org", std::string(32, 'a'), true};
}

// Left, up, left, down, left from the first position: the fifth move lets the lower pieces win.
constexpr Direction kToWin[] = {Direction::Left, Direction::Up, Direction::Left, Direction::Down,
                                Direction::Left};

class NetworkGameTest : public GameTest {
  protected:
    NetworkGameTest() { game.setRemotePeer(&peer); }
    void begin(int mode, int localSide = SIDE_GOTE) {
        load();
        peer.calls.clear();
        if (mode == MODE_MAN) game.onStart();
        if (mode == MODE_COM) game.onSente();
        if (mode == MODE_NET) game.startNetworkGame(setupFor(localSide));
    }
    // Plays the next move of kToWin by whoever's it is, a press here or the friend's move, after
    // checking that the other way in is refused; a local move is told to the friend.
    void play() {
        const int moves = s.moveNumber;
        const Direction d = kToWin[moves];
        const bool local = game.seats().local(s.turn);
        if (local) {
            EXPECT_FALSE(game.onRemoteMove(d));
        } else {
            pressMagnet(d);
        }
        ASSERT_EQ(s.moveNumber, moves) << "the other player's way in was taken";
        if (local) {
            pressMagnet(d);
        } else {
            EXPECT_TRUE(game.onRemoteMove(d));
        }
        ASSERT_EQ(s.moveNumber, moves + 1);
        const std::string told = std::string(wordOf(d)) + std::to_string(moves + 1);
        EXPECT_EQ(std::count(peer.calls.begin(), peer.calls.end(), told),
                  s.gameMode == MODE_NET && local ? 1 : 0);
    }
    GamePosition lastOnFile() {
        const auto replay = replayRecord(std::get<GameRecord>(fake.readGameInProgress()));
        return std::get<std::vector<GamePosition>>(replay).back();
    }
    FakePeer peer;
};

TEST_F(NetworkGameTest, AWholeGamePlaysTheFriendsMovesAsPressesToTheEnd) {
    for (const int side : {SIDE_SENTE, SIDE_GOTE}) {
        begin(MODE_NET, side);
        EXPECT_EQ(fake.messages().at(0),
                  side == SIDE_SENTE ? " |あなたの番です" : " |相手の番です");
        EXPECT_EQ(winTestOf(game.seats()), WinTest::TwoHumans);
        play();
        EXPECT_EQ(game.networkGame(), setupFor(side));
        while (s.gameOver == SIDE_NONE)
            play();
        EXPECT_EQ(s.gameOver, side);
        EXPECT_EQ(fake.messages().back(), "終了|あなたの勝ちです");
        EXPECT_FALSE(game.onRemoteMove(Direction::Up));
        EXPECT_FALSE(game.networkGame());
        const std::string file = fake.files.at("Quorvel.kifu");
        const std::string mine = side == SIDE_SENTE ? "先手" : "後手";
        for (const std::string& line :
             {"対局：対局(ネット) " + mine, mine + "：me@example.org",
              "対局ID：" + std::string(32, 'a'), "まで5手で" + mine + "の勝ち"})
            EXPECT_NE(file.find(line + "\n"), std::string::npos) << line << " in\n" << file;
    }
}

TEST_F(NetworkGameTest, ResignEndsTheGameForTheSideThatGivesUpInEveryMode) {
    struct Case {
        int mode, moves;  // made before the resignation
        bool remote;
        int winner;
        const char *message, *peerCall, *line;
    };
    for (const Case& c :
         {Case{MODE_MAN, 1, false, SIDE_SENTE, "投了|先手の勝ちです", "", "*投了：後手"},
          Case{MODE_COM, 0, false, SIDE_GOTE, "投了|ｺﾝﾋﾟｭｰﾀの勝ちです", "", "*投了：先手"},
          // This machine's player resigns on the friend's turn.
          Case{MODE_NET, 0, false, SIDE_SENTE, "投了|相手の勝ちです", "resigned", "*投了：後手"},
          Case{MODE_NET, 1, true, SIDE_GOTE, "投了|あなたの勝ちです", "", "*投了：先手"}}) {
        SCOPED_TRACE(c.line);
        begin(c.mode);
        for (int i = 0; i < c.moves; ++i)
            play();
        c.remote ? game.onRemoteResign() : game.onResign();
        EXPECT_EQ(s.gameOver, c.winner);
        EXPECT_FALSE(fake.timer);
        EXPECT_EQ(fake.messages().back(), c.message);
        EXPECT_EQ(peer.calls.empty() ? "" : peer.calls.back(), c.peerCall);
        EXPECT_EQ(lastOnFile().gameOver, c.winner);
        EXPECT_NE(fake.files.at("Quorvel.kifu").find(c.line), std::string::npos);
        EXPECT_FALSE(fake.enabled.at(MenuCommand::Resume));
    }
}

TEST_F(NetworkGameTest, TakeBackGoesBackOnlyWhenBothPlayersAgree) {
    struct Case {
        bool friendAsks;
        int keep;
        bool agreed;
        int movesAfter;
    };
    // This machine asks on its turn after two moves; the friend asks on its turn after three, and
    // may not ask to go back to a turn of this machine's player.
    for (const Case& c : {Case{false, 0, true, 0}, Case{false, 0, false, 2}, Case{true, 1, true, 1},
                          Case{true, 1, false, 3}, Case{true, 0, true, 3}}) {
        SCOPED_TRACE(::testing::Message() << c.friendAsks << " keep " << c.keep << " " << c.agreed);
        begin(MODE_NET, SIDE_SENTE);
        while (s.moveNumber < (c.friendAsks ? 3 : 2))
            play();
        fake.answerYes = c.agreed;
        if (c.friendAsks) {
            EXPECT_EQ(game.onRemoteTakeBackRequest(c.keep), c.movesAfter != 3);
            EXPECT_EQ(fake.countPrefix("question 待った|"), c.keep == 1 ? 1 : 0);
        } else {
            game.onTakeBack();
            EXPECT_EQ(peer.calls.back(), "take back 0");
            game.onTakeBackAnswer(c.agreed, c.keep);
            EXPECT_EQ(fake.messages().back(),
                      c.agreed ? "待った|相手に待ったを求めました。返事を待っています"
                               : "待った|相手が待ったを断りました");
        }
        EXPECT_EQ(s.moveNumber, c.movesAfter);
        EXPECT_EQ(lastOnFile().moveNumber, c.movesAfter);
    }
}

TEST_F(NetworkGameTest, AKilledProgramResumesTheNetworkGameWithItsSeatsIdTurnAndClocks) {
    begin(MODE_NET, SIDE_GOTE);
    for (int i = 0; i < 3; ++i, fake.now += 2)
        play();
    FakePlatform after;
    after.settingsFile = fake.settingsFile;
    after.files = fake.files;
    Game resumed{after};
    resumed.setRemotePeer(&peer);
    resumed.onLoad();
    resumed.onResume();
    const auto seen = [](const Game& g) {
        const GameState& p = g.state();
        return std::tuple(g.networkGame(), g.seats().upper, p.sides.manSide, p.turn, p.moveNumber,
                          p.board, p.manSeconds, p.comSeconds);
    };
    EXPECT_TRUE(seen(resumed) == seen(game));
    EXPECT_EQ(resumed.networkGame(), setupFor(SIDE_GOTE));
    EXPECT_GT(resumed.state().comSeconds, 0);
    EXPECT_FALSE(resumed.onRemoteMove(Direction::Down));
    resumed.onMousePress(cellToUnitsX(-0.5), cellToUnitsY(5.5));
    EXPECT_EQ(peer.calls.back(), "左4");
}

}
}
