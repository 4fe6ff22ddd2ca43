// The session's events: invitations, moves, resignations, take-backs and the comparison of
// records after a reconnection, each turned into the actions for the owner to carry out.

#include "net/online_session.h"

#include <algorithm>
#include <utility>

namespace quorvel::net {

namespace {

constexpr int ID_WORDS = 4;  // 32-bit draws in a game id
constexpr int HEX_PER_WORD = 8;

Payload refusal(std::string gameId, std::string reason) {
    Payload p;
    p.kind = Kind::Refuse;
    p.gameId = std::move(gameId);
    p.reason = std::move(reason);
    return p;
}

Action sendTo(const std::string& to, const Payload& payload) {
    return action::Send{to, formatPayload(payload)};
}

}

OnlineSession::OnlineSession(std::function<std::uint32_t()> random) : random_(std::move(random)) {}

std::string OnlineSession::newGameId() {
    std::string id;
    for (int w = 0; w < ID_WORDS; ++w) {
        std::uint32_t bits = random_();
        for (int i = 0; i < HEX_PER_WORD; ++i, bits >>= 4)
            id += "0123456789abcdef"[bits & 15];
    }
    return id;
}

Payload OnlineSession::gamePayload(Kind kind) const {
    Payload p;
    p.kind = kind;
    p.gameId = game_->gameId;
    return p;
}

Action OnlineSession::send(const Payload& payload) const {
    return sendTo(game_->friendJid, payload);
}

void OnlineSession::startGame(const Invitation& invitation, int localSide) {
    game_ = OnlineGame{};
    game_->gameId = invitation.gameId;
    game_->friendJid = invitation.friendJid;
    game_->localSide = localSide;
    game_->repetitionDraw = invitation.repetitionDraw;
    takeBackAsked_.reset();
    takeBackOffered_.reset();
}

Actions OnlineSession::invite(const std::string& friendJid, SideChoice side, bool repetitionDraw,
                              double nowSeconds) {
    if ((game_ && !game_->finished) || sent_) return {action::Log{"invitation refused: busy"}};
    game_.reset();
    const int inviterSide = side == SideChoice::Sente  ? SIDE_SENTE
                            : side == SideChoice::Gote ? SIDE_GOTE
                            : random_() % 2 == 0       ? SIDE_SENTE
                                                       : SIDE_GOTE;
    sent_ = Invitation{newGameId(), friendJid, inviterSide, repetitionDraw, nowSeconds};
    Payload p;
    p.kind = Kind::Invite;
    p.gameId = sent_->gameId;
    p.inviterSide = inviterSide;
    p.repetitionDraw = repetitionDraw;
    return {sendTo(friendJid, p)};
}

Actions OnlineSession::answerInvitation(bool accept) {
    if (!received_) return {};
    const Invitation inv = *std::exchange(received_, std::nullopt);
    Payload p;
    p.kind = accept ? Kind::Accept : Kind::Decline;
    p.gameId = inv.gameId;
    if (!accept) return {sendTo(inv.friendJid, p)};
    startGame(inv, -inv.inviterSide);
    return {sendTo(inv.friendJid, p), action::StartGame{*game_}};
}

Actions OnlineSession::localMove(Direction direction) {
    if (!game_ || game_->finished || sideToMove(game_->moves.size()) != game_->localSide ||
        game_->moves.size() >= static_cast<std::size_t>(MAX_GAME_MOVES)) {
        return {action::Log{"local move not sent: not this player's turn in a game"}};
    }
    game_->moves.push_back(direction);
    updateFinished(*game_);
    Payload p = gamePayload(Kind::Move);
    p.moveNumber = static_cast<int>(game_->moves.size());
    p.direction = direction;
    p.positionHash = positionHash(game_->moves);
    return {send(p)};
}

Actions OnlineSession::localResign() {
    if (!game_ || game_->finished) return {};
    game_->resignedSide = game_->localSide;
    game_->finished = true;
    return {send(gamePayload(Kind::Resign))};
}

Actions OnlineSession::askTakeBack(int keep) {
    if (!game_ || game_->resignedSide != SIDE_NONE || keep < 0 ||
        static_cast<std::size_t>(keep) >= game_->moves.size()) {
        return {action::Log{"take-back not asked: nothing to take back"}};
    }
    takeBackAsked_ = keep;
    Payload p = gamePayload(Kind::TakeBackRequest);
    p.moveNumber = keep;
    return {send(p)};
}

Actions OnlineSession::takeBack(int keep) {
    game_->moves.resize(static_cast<std::size_t>(keep));
    ++game_->takeBacks;
    updateFinished(*game_);
    takeBackAsked_.reset();
    takeBackOffered_.reset();
    return {action::TakeBack{keep}};
}

Actions OnlineSession::answerTakeBack(bool agree) {
    if (!game_ || !takeBackOffered_) return {};
    const int keep = *takeBackOffered_;
    Payload p = gamePayload(Kind::TakeBackAnswer);
    p.moveNumber = keep;
    p.agreed = agree && static_cast<std::size_t>(keep) < game_->moves.size();
    Actions out{send(p)};
    takeBackOffered_.reset();
    if (p.agreed) {
        const Actions done = takeBack(keep);
        out.insert(out.end(), done.begin(), done.end());
    }
    return out;
}

Actions OnlineSession::received(const std::string& from, std::string_view text, double) {
    const auto parsed = parsePayload(text);
    if (const auto* error = std::get_if<PayloadError>(&parsed)) {
        Actions out{action::Log{"refused from " + from + ": " + error->reason}};
        if (!error->refusal) out.push_back(sendTo(from, refusal({}, error->reason)));
        return out;
    }
    const Payload& p = std::get<Payload>(parsed);
    if (p.kind == Kind::Refuse) {
        Actions out{action::Log{"refused by " + from + ": " + p.reason}};
        if (game_ && !game_->finished && p.gameId == game_->gameId && from == game_->friendJid) {
            out.push_back(action::Disagreement{p.reason});
        }
        return out;
    }
    if (game_ && p.gameId == game_->gameId && from == game_->friendJid) {
        return onGamePayload(from, p);
    }
    if (p.kind == Kind::Invite || p.kind == Kind::Accept || p.kind == Kind::Decline) {
        return onInvitationPayload(from, p);
    }
    return {action::Log{"ignored from " + from + ": no such game"},
            sendTo(from, refusal(p.gameId, "no such game"))};
}

Actions OnlineSession::onInvitationPayload(const std::string& from, const Payload& p) {
    if (p.kind == Kind::Invite) {
        if (received_ && received_->gameId == p.gameId && received_->friendJid == from) return {};
        // The same invitation again (sent anew after a reconnection) for the game it began.
        if (game_ && game_->gameId == p.gameId && game_->friendJid == from) {
            return {action::Log{"invitation from " + from + " repeated for the game in play"}};
        }
        if ((game_ && !game_->finished) || sent_ || received_) {
            Payload busy;
            busy.kind = Kind::Decline;
            busy.gameId = p.gameId;
            return {action::Log{"invitation from " + from + " declined: busy"}, sendTo(from, busy)};
        }
        received_ = Invitation{p.gameId, from, p.inviterSide, p.repetitionDraw, 0};
        return {action::ShowInvitation{from, p.inviterSide, p.repetitionDraw}};
    }
    if (!sent_ || sent_->gameId != p.gameId || sent_->friendJid != from) {
        return {action::Log{"ignored from " + from + ": no such invitation"},
                sendTo(from, refusal(p.gameId, "no such game"))};
    }
    const Invitation inv = *std::exchange(sent_, std::nullopt);
    if (p.kind == Kind::Decline) return {action::InvitationDeclined{from}};
    startGame(inv, inv.inviterSide);
    return {action::StartGame{*game_}};
}

Actions OnlineSession::onGamePayload(const std::string& from, const Payload& p) {
    switch (p.kind) {
        case Kind::Move: {
            const Judgement j = judgeMove(*game_, from, p);
            if (j.verdict == Verdict::Duplicate) return {};
            if (j.verdict == Verdict::Refuse) {
                Actions out{action::Log{"move refused from " + from + ": " + j.reason}};
                // A number ahead of the record: the two sides compare records.
                if (static_cast<std::size_t>(p.moveNumber) > game_->moves.size() + 1) {
                    out.push_back(sendRecord());
                }
                return out;
            }
            game_->moves.push_back(p.direction);
            updateFinished(*game_);
            return {action::PlayRemoteMove{p.direction}};
        }
        case Kind::Resign:
            if (game_->finished) return {};
            game_->resignedSide = game_->friendSide();
            game_->finished = true;
            return {action::FriendResigned{}};
        case Kind::TakeBackRequest:
            if (game_->resignedSide != SIDE_NONE ||
                static_cast<std::size_t>(p.moveNumber) >= game_->moves.size()) {
                Payload no = gamePayload(Kind::TakeBackAnswer);
                no.moveNumber = p.moveNumber;
                return {action::Log{"take-back request refused: nothing to take back"}, send(no)};
            }
            takeBackOffered_ = p.moveNumber;
            return {action::AskTakeBack{p.moveNumber}};
        case Kind::TakeBackAnswer:
            if (takeBackAsked_ != p.moveNumber) return {action::Log{"take-back answer ignored"}};
            if (!p.agreed || static_cast<std::size_t>(p.moveNumber) >= game_->moves.size()) {
                takeBackAsked_.reset();
                return {action::TakeBackDeclined{}};
            }
            return takeBack(p.moveNumber);
        case Kind::Sync:
            return onSync(from, p);
        case Kind::Invite:
        case Kind::Accept:
        case Kind::Decline:
        case Kind::Refuse:
            break;
    }
    return {action::Log{"ignored from " + from + ": nothing to do in the game"}};
}

Actions OnlineSession::onSync(const std::string& from, const Payload& p) {
    const SyncPlan plan = planSync(*game_, from, p);
    if (!plan.refused.empty()) return {action::Log{"record refused: " + plan.refused}};
    if (plan.disagree) return {action::Disagreement{"the two records of the game differ"}};
    Actions out;
    if (plan.takeBackTo) out = takeBack(static_cast<int>(*plan.takeBackTo));
    game_->takeBacks = std::max(game_->takeBacks, p.takeBacks);
    for (Direction d : plan.toPlay) {
        game_->moves.push_back(d);
        out.push_back(action::PlayRemoteMove{d});
    }
    if (plan.friendResigned) {
        game_->resignedSide = game_->friendSide();
        out.push_back(action::FriendResigned{});
    }
    updateFinished(*game_);
    if (plan.sendOurs) out.push_back(sendRecord());
    return out;
}

Action OnlineSession::sendRecord() const {
    Payload p = gamePayload(Kind::Sync);
    p.moves = game_->moves;
    p.resignedSide = game_->resignedSide;
    p.takeBacks = game_->takeBacks;
    return send(p);
}

Actions OnlineSession::connected() {
    Actions out;
    if (game_) out.push_back(sendRecord());
    if (sent_) {
        Payload p;
        p.kind = Kind::Invite;
        p.gameId = sent_->gameId;
        p.inviterSide = sent_->inviterSide;
        p.repetitionDraw = sent_->repetitionDraw;
        out.push_back(sendTo(sent_->friendJid, p));
    }
    return out;
}

Actions OnlineSession::friendOnline(const std::string& jid) {
    if (!game_ || game_->friendJid != jid) return {};
    Actions out{action::FriendBack{jid}};
    const Actions sync = connected();
    out.insert(out.end(), sync.begin(), sync.end());
    return out;
}

Actions OnlineSession::friendOffline(const std::string& jid) {
    if (sent_ && sent_->friendJid == jid) {
        sent_.reset();
        return {action::InvitationUnanswered{jid}};
    }
    if (received_ && received_->friendJid == jid) received_.reset();
    if (game_ && game_->friendJid == jid) return {action::FriendLeft{jid}};
    return {};
}

Actions OnlineSession::tick(double nowSeconds) {
    if (!sent_ || nowSeconds - sent_->sentAt < INVITATION_TIMEOUT_SECONDS) return {};
    const std::string to = std::exchange(sent_, std::nullopt)->friendJid;
    return {action::InvitationUnanswered{to}};
}

Actions OnlineSession::restore(const OnlineGame& game) {
    game_ = game;
    updateFinished(*game_);
    sent_.reset();
    received_.reset();
    takeBackAsked_.reset();
    takeBackOffered_.reset();
    return connected();
}

Actions OnlineSession::leave() {
    Actions out;
    if (received_) out = answerInvitation(false);
    if (game_ && !game_->finished) {
        const Actions resign = localResign();
        out.insert(out.end(), resign.begin(), resign.end());
    }
    game_.reset();
    sent_.reset();
    takeBackAsked_.reset();
    takeBackOffered_.reset();
    return out;
}

}
