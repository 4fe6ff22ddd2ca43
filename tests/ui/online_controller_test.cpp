// The window's network play driven by what the link sees, with the real game object: a friend's
// invitation, the game it starts and the friend's moves, which wait while the game is busy.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <string>
#include <vector>

#include "game/game.h"
#include "net/online_game.h"
#include "net/payload.h"
#include "ui/game_link.h"
#include "ui/main_window.h"
#include "ui/online_controller.h"
#include "ui/qt_platform.h"

namespace quorvel {
namespace {

const std::string FRIEND = "bob@example.org";

net::LinkEvent payloadEvent(const net::Payload& payload) {
    net::LinkEvent event;
    event.type = net::LinkEvent::Type::Payload;
    event.from = FRIEND;
    event.text = net::formatPayload(payload);
    return event;
}

class OnlineControllerTest : public testing::Test {
  protected:
    OnlineControllerTest() {
        platform.setSettingsPath(folder.filePath("Quorvel.ini").toStdString());
        window.setEvents(&link);
        game.onLoad();
        // Answers the invitation box with the button named `answer`, remembering its text.
        QObject::connect(&answerer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            asked.push_back(box->text().toStdString());
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer) return button->click();
            box->reject();
        });
        answerer.start(10);
    }
    ~OnlineControllerTest() override { window.setEvents(nullptr); }

    // The friend's next move after `moves`, as the friend's game sends it.
    net::LinkEvent friendsMove(std::vector<Direction>& moves, Direction direction) {
        moves.push_back(direction);
        net::Payload move;
        move.kind = net::Kind::Move;
        move.gameId = gameId;
        move.moveNumber = static_cast<int>(moves.size());
        move.direction = direction;
        move.positionHash = net::positionHash(moves);
        return payloadEvent(move);
    }

    QTemporaryDir folder;
    MainWindow window;
    QtPlatform platform{window};
    Game game{platform};
    GameLink link{game};
    OnlineController controller{window, game};
    QTimer answerer;
    QString answer = QStringLiteral("受ける");
    std::vector<std::string> asked;
    std::string gameId = std::string(32, 'a');
};

TEST_F(OnlineControllerTest, AnAcceptedInvitationStartsTheGameAndMovesWaitWhileTheGameIsBusy) {
    net::Payload invite;
    invite.kind = net::Kind::Invite;
    invite.gameId = gameId;
    invite.inviterSide = SIDE_SENTE;
    controller.handle({payloadEvent(invite)});
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), "bob@example.org から対局の申し込み (後手)");
    const std::optional<NetworkGameSetup> setup = game.networkGame();
    ASSERT_TRUE(setup.has_value());
    EXPECT_EQ(setup->localSide, SIDE_GOTE);
    EXPECT_EQ(setup->friendAddress, FRIEND);
    EXPECT_EQ(setup->gameId, gameId);

    // The friend's first move goes in once the game's running operation is over.
    std::vector<Direction> moves;
    int numberDuringOperation = -1;
    window.runInGame([&] {
        controller.handle({friendsMove(moves, Direction::Up)});
        numberDuringOperation = game.state().moveNumber;
    });
    EXPECT_EQ(numberDuringOperation, 0);
    EXPECT_EQ(game.state().moveNumber, 1);
    // A second move of the friend's in a row is refused: it is this player's turn.
    controller.handle({friendsMove(moves, Direction::Down)});
    EXPECT_EQ(game.state().moveNumber, 1);
}

TEST_F(OnlineControllerTest, ADeclinedInvitationStartsNothing) {
    answer = QStringLiteral("断る");
    net::Payload invite;
    invite.kind = net::Kind::Invite;
    invite.gameId = gameId;
    invite.inviterSide = SIDE_GOTE;
    controller.handle({payloadEvent(invite)});
    EXPECT_EQ(asked, std::vector<std::string>{"bob@example.org から対局の申し込み (先手)"});
    EXPECT_FALSE(game.networkGame().has_value());
}

}
}
