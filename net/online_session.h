#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "net/online_game.h"

namespace quorvel::net {

// Seconds an invitation waits for an answer before it is withdrawn.
inline constexpr double INVITATION_TIMEOUT_SECONDS = 60;

enum class SideChoice { Sente, Gote, Either };

// What the session asks of its owner (the game window's controller or a headless tool).
namespace action {
struct Send {
    std::string toBareJid;
    std::string elementText;  // a whole <game> element, ready for a chat message
};
struct ShowInvitation {  // ask the player; answer with answerInvitation()
    std::string from;
    int inviterSide = SIDE_SENTE;
    bool repetitionDraw = false;
};
struct StartGame {
    OnlineGame game;
};
struct PlayRemoteMove {
    Direction direction = Direction::Left;
};
struct FriendResigned {};
struct AskTakeBack {  // the friend asks; answer with answerTakeBack()
    int keep = 0;
};
struct TakeBack {  // take the game back so that `keep` moves remain
    int keep = 0;
};
struct TakeBackDeclined {};
struct InvitationDeclined {
    std::string from;
};
struct InvitationUnanswered {
    std::string from;
};
struct FriendLeft {
    std::string from;
};
struct FriendBack {
    std::string from;
};
struct Disagreement {
    std::string reason;
};
struct Log {
    std::string text;
};
}
using Action =
    std::variant<action::Send, action::ShowInvitation, action::StartGame, action::PlayRemoteMove,
                 action::FriendResigned, action::AskTakeBack, action::TakeBack,
                 action::TakeBackDeclined, action::InvitationDeclined, action::InvitationUnanswered,
                 action::FriendLeft, action::FriendBack, action::Disagreement, action::Log>;
using Actions = std::vector<Action>;

// One connected player's side of network play, as a pure state machine: it holds at most one
// game and one invitation (sent or received), and turns each event into the actions that follow.
// It keeps no clock: every time is passed in, in seconds.
class OnlineSession {
  public:
    // `random` draws the bits of game ids and of an either-side choice (std::random_device in
    // the program, a seeded engine in tests).
    explicit OnlineSession(std::function<std::uint32_t()> random);

    // Invites a friend (a bare JID) to a new game, playing the chosen side.
    Actions invite(const std::string& friendJid, SideChoice side, bool repetitionDraw,
                   double nowSeconds);
    // The player's answer to the invitation shown.
    Actions answerInvitation(bool accept);
    // This player's move, once played on the board; refused (only logged) when not its turn.
    Actions localMove(Direction direction);
    // This player resigns the game on the board, whoever is to move.
    Actions localResign();
    // This player asks to take the game back so that `keep` moves remain.
    Actions askTakeBack(int keep);
    // This player's answer to the friend's take-back request.
    Actions answerTakeBack(bool agree);
    // A game element from a bare JID, as received.
    Actions received(const std::string& fromBareJid, std::string_view elementText,
                     double nowSeconds);
    Actions friendOnline(const std::string& bareJid);
    Actions friendOffline(const std::string& bareJid);
    // The connection to the server is (again) up: the records are compared.
    Actions connected();
    // Withdraws an invitation that has waited too long.
    Actions tick(double nowSeconds);
    // Takes up a game resumed from its saved record, and offers the record to the friend.
    Actions restore(const OnlineGame& game);
    // Abandons the game and any invitation: an unfinished game is resigned.
    Actions leave();

    const std::optional<OnlineGame>& game() const { return game_; }

  private:
    struct Invitation {
        std::string gameId;
        std::string friendJid;
        int inviterSide = SIDE_SENTE;
        bool repetitionDraw = false;
        double sentAt = 0;
    };

    Actions onGamePayload(const std::string& from, const Payload& payload);
    Actions onInvitationPayload(const std::string& from, const Payload& payload);
    Actions onSync(const std::string& from, const Payload& payload);
    void startGame(const Invitation& invitation, int localSide);
    Actions takeBack(int keep);
    Payload gamePayload(Kind kind) const;
    Action send(const Payload& payload) const;
    Action sendRecord() const;
    std::string newGameId();

    std::function<std::uint32_t()> random_;
    std::optional<OnlineGame> game_;
    std::optional<Invitation> sent_;
    std::optional<Invitation> received_;
    std::optional<int> takeBackAsked_;    // keep, of this player's request
    std::optional<int> takeBackOffered_;  // keep, of the friend's request awaiting an answer
};

}
