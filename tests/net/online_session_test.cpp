#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <random>

#include "net/online_session.h"

namespace quorvel::net {
namespace {

constexpr auto L = Direction::Left, R = Direction::Right, U = Direction::Up;
const std::string ALICE = "alice@example.org", BOB = "bob@example.org";

// Two players' sessions wired to each other in memory: what one sends waits in the other's
// queue until delivered (or dropped); every other action is kept for the test to read.
struct Pair {
    std::mt19937 randomA{1}, randomB{2};
    std::map<std::string, OnlineSession> sessions;
    std::map<std::string, std::deque<std::string>> inbox;
    std::map<std::string, Actions> seen;

    Pair() {
        sessions.emplace(ALICE, OnlineSession([this] { return randomA(); }));
        sessions.emplace(BOB, OnlineSession([this] { return randomB(); }));
    }
    static const std::string& other(const std::string& who) { return who == ALICE ? BOB : ALICE; }

    void take(const std::string& who, const Actions& actions) {
        for (const Action& a : actions) {
            if (const auto* send = std::get_if<action::Send>(&a)) {
                EXPECT_EQ(send->toBareJid, other(who));
                inbox[send->toBareJid].push_back(send->elementText);
            } else {
                seen[who].push_back(a);
            }
        }
    }
    // Hands every waiting message over, back and forth, until both queues are empty.
    void deliver() {
        while (!inbox[ALICE].empty() || !inbox[BOB].empty()) {
            for (const std::string& who : {ALICE, BOB}) {
                while (!inbox[who].empty()) {
                    const std::string text = inbox[who].front();
                    inbox[who].pop_front();
                    take(who, sessions.at(who).received(other(who), text, 0));
                }
            }
        }
    }
    void drop(const std::string& who) { inbox[who].clear(); }
    void act(const std::string& who, const std::function<Actions(OnlineSession&)>& f) {
        take(who, f(sessions.at(who)));
        deliver();
    }
    // The actions other than Send seen by `who` since the last call.
    template <typename T>
    int count(const std::string& who) {
        int n = 0;
        for (const Action& a : seen[who])
            n += std::holds_alternative<T>(a);
        return n;
    }
    std::vector<Direction> moves(const std::string& who) { return sessions.at(who).game()->moves; }
};

TEST(OnlineSession, PlaysAWholeGameThroughLossTakeBackRestartAndResignation) {
    Pair p;
    p.act(ALICE, [](OnlineSession& s) { return s.invite(BOB, SideChoice::Sente, true, 0); });
    ASSERT_EQ(p.count<action::ShowInvitation>(BOB), 1);
    p.act(BOB, [](OnlineSession& s) { return s.answerInvitation(true); });
    ASSERT_EQ(p.count<action::StartGame>(ALICE) + p.count<action::StartGame>(BOB), 2);
    EXPECT_EQ(p.sessions.at(BOB).game()->localSide, SIDE_GOTE);

    p.act(ALICE, [](OnlineSession& s) { return s.localMove(L); });
    p.act(BOB, [](OnlineSession& s) { return s.localMove(R); });
    EXPECT_EQ(p.count<action::PlayRemoteMove>(BOB) + p.count<action::PlayRemoteMove>(ALICE), 2);

    // Alice's move is lost; Bob cannot move out of turn, and his reconnection heals the record.
    p.take(ALICE, p.sessions.at(ALICE).localMove(L));
    p.drop(BOB);
    p.act(BOB, [](OnlineSession& s) { return s.localMove(U); });
    EXPECT_EQ(p.moves(BOB).size(), 2u);
    p.act(BOB, [](OnlineSession& s) { return s.connected(); });
    EXPECT_EQ(p.moves(BOB), (std::vector<Direction>{L, R, L}));

    // Alice is killed after her move; Bob's answer is lost while she is away.
    p.act(BOB, [](OnlineSession& s) { return s.localMove(R); });
    p.act(ALICE, [](OnlineSession& s) { return s.localMove(U); });
    const OnlineGame saved = *p.sessions.at(ALICE).game();
    p.take(BOB, p.sessions.at(BOB).localMove(U));
    p.drop(ALICE);
    p.sessions.erase(ALICE);
    p.sessions.emplace(ALICE, OnlineSession([&p] { return p.randomA(); }));
    p.act(ALICE, [&saved](OnlineSession& s) { return s.restore(saved); });
    EXPECT_EQ(p.moves(ALICE), (std::vector<Direction>{L, R, L, R, U, U}));
    EXPECT_EQ(p.moves(ALICE), p.moves(BOB));

    // Alice asks to take back to four moves, and Bob agrees.
    p.act(ALICE, [](OnlineSession& s) { return s.askTakeBack(4); });
    EXPECT_EQ(p.count<action::AskTakeBack>(BOB), 1);
    p.act(BOB, [](OnlineSession& s) { return s.answerTakeBack(true); });
    EXPECT_EQ(p.count<action::TakeBack>(ALICE) + p.count<action::TakeBack>(BOB), 2);
    EXPECT_EQ(p.moves(ALICE), (std::vector<Direction>{L, R, L, R}));
    EXPECT_EQ(p.moves(ALICE), p.moves(BOB));

    p.act(BOB, [](OnlineSession& s) { return s.localResign(); });
    EXPECT_EQ(p.count<action::FriendResigned>(ALICE), 1);
    EXPECT_TRUE(p.sessions.at(ALICE).game()->finished);
    p.act(ALICE, [](OnlineSession& s) { return s.localMove(L); });
    EXPECT_EQ(p.moves(BOB).size(), 4u);
    EXPECT_EQ(p.count<action::Disagreement>(ALICE) + p.count<action::Disagreement>(BOB), 0);
}

TEST(OnlineSession, InvitationsEndClearlyAndRefusalsAreNeverAnswered) {
    Pair p;
    p.act(ALICE, [](OnlineSession& s) { return s.invite(BOB, SideChoice::Either, false, 100); });
    p.act(BOB, [](OnlineSession& s) { return s.answerInvitation(false); });
    EXPECT_EQ(p.count<action::InvitationDeclined>(ALICE), 1);

    p.take(ALICE, p.sessions.at(ALICE).invite(BOB, SideChoice::Gote, false, 200));
    p.drop(BOB);
    p.act(ALICE, [](OnlineSession& s) { return s.tick(259); });
    EXPECT_EQ(p.count<action::InvitationUnanswered>(ALICE), 0);
    p.act(ALICE, [](OnlineSession& s) { return s.tick(260); });
    EXPECT_EQ(p.count<action::InvitationUnanswered>(ALICE), 1);

    // Garbage is answered with one refusal, which is only logged.
    p.take(BOB, p.sessions.at(BOB).received(ALICE, "<game>hello</game>", 0));
    ASSERT_EQ(p.inbox[ALICE].size(), 1u);
    p.deliver();
    EXPECT_TRUE(p.inbox[BOB].empty());
    EXPECT_EQ(p.count<action::Log>(ALICE), 1);
    EXPECT_FALSE(p.sessions.at(ALICE).game());
}

}
}
