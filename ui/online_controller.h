#pragma once

#include <QObject>
#include <QTimer>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/remote_peer.h"
#include "net/online_session.h"
#include "net/xmpp_link.h"
#include "ui/secret_store.h"

namespace quorvel {

class Game;
class MainWindow;
enum class Command;

// Network play at the window: owns the connection (XmppLink) and the session (OnlineSession),
// answers the menu's 接続…, 招待… and 切断, and is the game's remote friend (RemotePeer).
// Whatever the session asks of the game waits until the game has finished what it is doing
// (its boxes and pauses included) and then goes in, one action at a time, in order. The window
// never waits on the network: the link wakes the controller through a queued call.
class OnlineController : public QObject, public RemotePeer {
  public:
    OnlineController(MainWindow& window, Game& game);
    ~OnlineController() override;
    OnlineController(const OnlineController&) = delete;
    OnlineController& operator=(const OnlineController&) = delete;

    // Connects with an account (the command line's, or the connect dialog's).
    void connectAccount(const net::Account& account);
    // 接続…, 招待…, 切断.
    void onCommand(Command command);

    // What the link saw, as takeEvents() hands it over; public so that tests can feed events.
    void handle(const std::vector<net::LinkEvent>& events);

    // RemotePeer: this machine's player did something in the network game.
    void localMove(Direction direction, int moveNumber) override;
    void localResigned() override;
    void askTakeBack(int keep) override;

  private:
    void takeLinkEvents();
    void showConnectDialog();
    void showInviteDialog();
    void disconnectNow();
    // Sends and logs at once; everything else waits for deliver().
    void queue(net::Actions actions);
    // Runs the waiting actions unless the game or a delivery is busy.
    void deliver();
    void perform(const net::Action& action);
    // A network game the game took up again (続きから) is taken up by the session too, which
    // offers its record to the friend.
    void rejoin();
    void tellPlayer(const QString& text);
    void updateCommands();
    void keepAccountLine(const std::string& address);
    double now() const;

    MainWindow& window_;
    Game& game_;
    net::XmppLink link_;
    net::OnlineSession session_;
    SecretStore secrets_;
    QTimer invitationClock_;  // the session's tick while an invitation waits
    std::deque<net::Action> pending_;
    bool delivering_ = false;
    std::string ownAddress_;
    std::string caFile_;
    std::string lastFriend_;
    std::set<std::string> friendsOnline_;
    std::optional<int> takeBackAsked_;
    // The first failure after 接続… is told to the player; later ones (retries) only logged.
    bool tellNextError_ = false;
};

}
