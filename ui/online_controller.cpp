#include "ui/online_controller.h"

#include <QMessageBox>
#include <QPointer>
#include <chrono>
#include <random>
#include <type_traits>

#include "game/game.h"
#include "game/option_lines.h"
#include "ui/connect_dialog.h"
#include "ui/invite_dialog.h"
#include "ui/main_window.h"
#include "ui/menu_table.h"
#include "ui/online_log.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

// The settings file's option line of the player's address.
constexpr std::string_view ACCOUNT_OPTION = "アカウント";
constexpr int INVITATION_CLOCK_MS = 1000;

QString online(const char* text) {
    return translated(ONLINE_CONTEXT, text);
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::uint32_t randomBits() {
    static std::random_device device;
    return device();
}

Connection shown(net::LinkState state) {
    switch (state) {
        case net::LinkState::Connecting:
            return Connection::Connecting;
        case net::LinkState::Online:
            return Connection::Online;
        case net::LinkState::Offline:
            break;
    }
    return Connection::Offline;
}

}

OnlineController::OnlineController(MainWindow& window, Game& game)
    : window_(window), game_(game), session_(randomBits) {
    link_.setWake([this] {
        QMetaObject::invokeMethod(
            this, [this] { takeLinkEvents(); }, Qt::QueuedConnection);
    });
    invitationClock_.setInterval(INVITATION_CLOCK_MS);
    connect(&invitationClock_, &QTimer::timeout, this, [this] {
        queue(session_.tick(now()));
        deliver();
    });
    window_.setOnlineHandler([this](Command command) { onCommand(command); });
    window_.setIdleHandler([this] { deliver(); });
    game_.setRemotePeer(this);
}

OnlineController::~OnlineController() {
    game_.setRemotePeer(nullptr);
    window_.setIdleHandler(nullptr);
    window_.setOnlineHandler(nullptr);
    link_.setWake(nullptr);
    link_.disconnect();
}

void OnlineController::connectAccount(const net::Account& account) {
    ownAddress_ = account.jid;
    caFile_ = account.caFile;
    tellNextError_ = true;
    keepAccountLine(account.jid);
    logOnline("connecting as " + account.jid);
    link_.connect(account);
    window_.showConnection(Connection::Connecting);
    updateCommands();
}

void OnlineController::onCommand(Command command) {
    switch (command) {
        case Command::SETSUZOKU:
            return showConnectDialog();
        case Command::SHOTAI:
            return showInviteDialog();
        case Command::SETSUDAN:
            return disconnectNow();
        default:
            return;
    }
}

void OnlineController::showConnectDialog() {
    const std::optional<std::string> kept = findOption(game_.state().optionLines, ACCOUNT_OPTION);
    const QString address = fromUtf8(ownAddress_.empty() ? kept.value_or("") : ownAddress_);
    ConnectDialog dialog(&window_, address, QString());
    if (!address.isEmpty()) {
        secrets_.read(address, [address, open = QPointer<ConnectDialog>(&dialog)](
                                   std::optional<QString> password) {
            if (password && open) open->offerPassword(address, *password);
        });
    }
    delivering_ = true;  // nothing from the network goes in while the dialog is open
    const bool accepted = dialog.exec() == QDialog::Accepted;
    delivering_ = false;
    if (accepted) {
        net::Account account = dialog.account();
        account.caFile = caFile_;  // the command line's, kept for later connections
        const QString jid = fromUtf8(account.jid);
        if (dialog.remember()) {
            secrets_.store(jid, fromUtf8(account.password));
        } else {
            secrets_.forget(jid);
        }
        link_.disconnect();
        connectAccount(account);
    }
    deliver();
}

void OnlineController::showInviteDialog() {
    InviteDialog dialog(&window_, fromUtf8(lastFriend_), fromUtf8(ownAddress_));
    delivering_ = true;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    delivering_ = false;
    if (accepted && link_.state() == net::LinkState::Online) {
        lastFriend_ = dialog.friendAddress().toStdString();
        link_.befriend(lastFriend_);
        queue(
            session_.invite(lastFriend_, dialog.side(), game_.state().marks.repetitionDraw, now()));
        invitationClock_.start();
    }
    updateCommands();
    deliver();
}

void OnlineController::disconnectNow() {
    // A game in play is not given up: it stays saved, and after the next connection the two
    // records are compared and play goes on (局面 → 投了 gives it up).
    logOnline("disconnecting");
    link_.disconnect();
    window_.showConnection(Connection::Offline);
    updateCommands();
    deliver();
}

void OnlineController::takeLinkEvents() {
    handle(link_.takeEvents());
}

void OnlineController::handle(const std::vector<net::LinkEvent>& events) {
    using Type = net::LinkEvent::Type;
    for (const net::LinkEvent& event : events) {
        switch (event.type) {
            case Type::StateChanged:
                window_.showConnection(shown(event.state));
                if (event.state == net::LinkState::Online) {
                    tellNextError_ = false;
                    logOnline("online");
                    queue(session_.connected());
                } else if (event.state == net::LinkState::Offline) {
                    friendsOnline_.clear();
                    logOnline("offline" + (event.text.empty() ? "" : ": " + event.text));
                }
                break;
            case Type::Payload:
                queue(session_.received(event.from, event.text, now()));
                break;
            case Type::FriendOnline:
                friendsOnline_.insert(event.from);
                queue(session_.friendOnline(event.from));
                break;
            case Type::FriendOffline:
                friendsOnline_.erase(event.from);
                queue(session_.friendOffline(event.from));
                break;
            case Type::Error:
                logOnline("error: " + event.text);
                if (tellNextError_) {
                    tellNextError_ = false;
                    tellPlayer(online(QT_TRANSLATE_NOOP("Online", "接続できませんでした: %1"))
                                   .arg(fromUtf8(event.text)));
                }
                break;
        }
    }
    updateCommands();
    deliver();
}

void OnlineController::localMove(Direction direction, int /*moveNumber*/) {
    const int side = session_.game() ? session_.game()->localSide : SIDE_SENTE;
    queue(session_.localMove(net::asSeenBy(side, direction)));
}

void OnlineController::localResigned() {
    queue(session_.localResign());
}

void OnlineController::askTakeBack(int keep) {
    takeBackAsked_ = keep;
    queue(session_.askTakeBack(keep));
}

void OnlineController::queue(net::Actions actions) {
    for (net::Action& action : actions) {
        if (const auto* send = std::get_if<net::action::Send>(&action)) {
            link_.send(send->toBareJid, send->elementText);
        } else if (const auto* log = std::get_if<net::action::Log>(&action)) {
            logOnline(log->text);
        } else {
            pending_.push_back(std::move(action));
        }
    }
}

void OnlineController::deliver() {
    if (delivering_ || window_.busy()) return;
    rejoin();
    delivering_ = true;
    while (!pending_.empty() && !window_.busy()) {
        const net::Action action = std::move(pending_.front());
        pending_.pop_front();
        perform(action);
    }
    delivering_ = false;
    updateCommands();
}

void OnlineController::rejoin() {
    const std::optional<NetworkGameSetup> setup = game_.networkGame();
    if (!setup || (session_.game() && session_.game()->gameId == setup->gameId)) return;
    net::OnlineGame resumed;
    resumed.gameId = setup->gameId;
    resumed.friendJid = setup->friendAddress;
    resumed.localSide = setup->localSide;
    resumed.repetitionDraw = setup->repetitionDraw;
    for (const RecordedMove& move : game_.history().record.moves)
        resumed.moves.push_back(net::asSeenBy(setup->localSide, move.direction));
    logOnline("taking up the game " + setup->gameId + " with " + setup->friendAddress);
    queue(session_.restore(resumed));
}

void OnlineController::perform(const net::Action& next) {
    std::visit(
        [this](const auto& action) {
            using A = std::decay_t<decltype(action)>;
            if constexpr (std::is_same_v<A, net::action::ShowInvitation>) {
                const int ownSide = -action.inviterSide;
                queue(session_.answerInvitation(
                    askInvitation(&window_, fromUtf8(action.from), ownSide)));
            } else if constexpr (std::is_same_v<A, net::action::StartGame>) {
                invitationClock_.stop();
                lastFriend_ = action.game.friendJid;
                NetworkGameSetup setup;
                setup.localSide = action.game.localSide;
                setup.localAddress = ownAddress_;
                setup.friendAddress = action.game.friendJid;
                setup.gameId = action.game.gameId;
                setup.repetitionDraw = action.game.repetitionDraw;
                window_.runInGame([&] { game_.startNetworkGame(setup); });
            } else if constexpr (std::is_same_v<A, net::action::PlayRemoteMove>) {
                bool played = false;
                const int side = session_.game() ? session_.game()->localSide : SIDE_SENTE;
                const Direction seen = net::asSeenBy(side, action.direction);
                window_.runInGame([&] { played = game_.onRemoteMove(seen); });
                if (!played) logOnline("the game refused the friend's move");
            } else if constexpr (std::is_same_v<A, net::action::FriendResigned>) {
                window_.runInGame([&] { game_.onRemoteResign(); });
            } else if constexpr (std::is_same_v<A, net::action::AskTakeBack>) {
                bool agreed = false;
                window_.runInGame([&] { agreed = game_.onRemoteTakeBackRequest(action.keep); });
                queue(session_.answerTakeBack(agreed));
            } else if constexpr (std::is_same_v<A, net::action::TakeBack>) {
                takeBackAsked_.reset();
                window_.runInGame([&] { game_.onTakeBackAnswer(true, action.keep); });
            } else if constexpr (std::is_same_v<A, net::action::TakeBackDeclined>) {
                const int keep = takeBackAsked_.value_or(0);
                takeBackAsked_.reset();
                window_.runInGame([&] { game_.onTakeBackAnswer(false, keep); });
            } else if constexpr (std::is_same_v<A, net::action::InvitationDeclined>) {
                invitationClock_.stop();
                tellPlayer(online(QT_TRANSLATE_NOOP("Online", "%1 は対局を断りました。"))
                               .arg(fromUtf8(action.from)));
            } else if constexpr (std::is_same_v<A, net::action::InvitationUnanswered>) {
                invitationClock_.stop();
                const bool seen = friendsOnline_.contains(action.from);
                tellPlayer(
                    (seen ? online(QT_TRANSLATE_NOOP(
                                "Online",
                                "%1 から1分以内に返事がありませんでした。招待を取り消しました。"))
                          : online(QT_TRANSLATE_NOOP(
                                "Online", "%1 はオフラインです。招待を取り消しました。")))
                        .arg(fromUtf8(action.from)));
            } else if constexpr (std::is_same_v<A, net::action::FriendLeft>) {
                window_.runInGame([&] { game_.onFriendLeft(); });
            } else if constexpr (std::is_same_v<A, net::action::FriendBack>) {
                window_.runInGame([&] { game_.onFriendBack(); });
            } else if constexpr (std::is_same_v<A, net::action::Disagreement>) {
                logOnline("the records disagree: " + action.reason);
                tellPlayer(online(QT_TRANSLATE_NOOP(
                    "Online", "相手の棋譜と食い違いがあります。この対局は続けられません。")));
            }
        },
        next);
}

void OnlineController::tellPlayer(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorvel"), text, QMessageBox::Ok,
                    &window_);
    box.exec();
}

void OnlineController::updateCommands() {
    const bool online = link_.state() == net::LinkState::Online;
    const bool playing = session_.game() && !session_.game()->finished;
    window_.setOnlineCommandEnabled(Command::SHOTAI, online && !playing);
    window_.setOnlineCommandEnabled(Command::SETSUDAN,
                                    window_.connection() == Connection::Connecting ||
                                        window_.connection() == Connection::Online);
}

void OnlineController::keepAccountLine(const std::string& address) {
    if (findOption(game_.state().optionLines, ACCOUNT_OPTION) == address) return;
    GameState& state = game_.mutableState();
    state.optionLines =
        updateOptionLines(state.optionLines, {OptionValue{ACCOUNT_OPTION, address, "", {}}});
    window_.runInGame([this] { game_.書込_環境設定ファイル(); });
}

double OnlineController::now() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}
