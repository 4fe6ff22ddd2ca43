// Plays many network games at once between headless players on one XMPP server: each player is
// an XmppLink and an OnlineSession, every move chosen at random on the player's turn, until the
// game is won by the rules or reaches the cap of moves (then the side to move resigns). At the
// end both records of every game are compared, and the time, CPU and memory this process used
// are printed.
//
//   quorvel_netload SERVER_DIR [GAMES] [MOVE_CAP]
// SERVER_DIR is a folder made by tests/online/prosody.sh with at least 2 × GAMES accounts.

#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "net/online_session.h"
#include "net/xmpp_link.h"

namespace {

using namespace quorvel;
using namespace quorvel::net;
using Clock = std::chrono::steady_clock;

constexpr int DEFAULT_GAMES = 50;
constexpr int DEFAULT_MOVE_CAP = 200;
constexpr auto GIVE_UP_AFTER = std::chrono::minutes(10);
constexpr auto IDLE_TICK = std::chrono::milliseconds(200);

// Wakes the driving loop whenever any link has queued events.
struct Wake {
    std::mutex mutex;
    std::condition_variable cv;
    unsigned count = 0;
    void ring() {
        std::lock_guard lock(mutex);
        ++count;
        cv.notify_one();
    }
};

struct Player {
    std::string jid;
    std::string friendJid;
    bool inviter = false;
    bool invited = false;
    bool befriended = false;
    XmppLink link;
    OnlineSession session;
    std::mt19937 random;

    Player(std::string j, std::string f, bool inv, unsigned seed)
        : jid(std::move(j)),
          friendJid(std::move(f)),
          inviter(inv),
          session([this] { return static_cast<std::uint32_t>(random()); }),
          random(seed) {}
};

struct Load {
    int moveCap = DEFAULT_MOVE_CAP;
    Clock::time_point start = Clock::now();
    long messagesSent = 0;
    int errors = 0;

    double now() const { return std::chrono::duration<double>(Clock::now() - start).count(); }

    void apply(Player& p, const Actions& actions) {
        for (const Action& a : actions) {
            if (const auto* send = std::get_if<action::Send>(&a)) {
                p.link.send(send->toBareJid, send->elementText);
                ++messagesSent;
            } else if (std::holds_alternative<action::ShowInvitation>(a)) {
                apply(p, p.session.answerInvitation(true));
            } else if (std::holds_alternative<action::InvitationUnanswered>(a)) {
                p.invited = false;
            } else if (const auto* d = std::get_if<action::Disagreement>(&a)) {
                std::fprintf(stderr, "%s: records disagree: %s\n", p.jid.c_str(),
                             d->reason.c_str());
            }
        }
        play(p);
    }

    // Moves while it is this player's turn in a game that goes on.
    void play(Player& p) {
        const auto& game = p.session.game();
        if (!game || game->finished || sideToMove(game->moves.size()) != game->localSide) return;
        if (static_cast<int>(game->moves.size()) >= moveCap) {
            apply(p, p.session.localResign());
            return;
        }
        std::uniform_int_distribution<int> pick(0, 3);
        apply(p, p.session.localMove(static_cast<Direction>(pick(p.random))));
    }

    void handle(Player& p, const LinkEvent& e) {
        switch (e.type) {
            case LinkEvent::Type::StateChanged:
                if (e.state != LinkState::Online) break;
                if (!p.befriended) p.link.befriend(p.friendJid);
                p.befriended = true;
                apply(p, p.session.connected());
                break;
            case LinkEvent::Type::FriendOnline:
                apply(p, p.session.friendOnline(e.from));
                if (p.inviter && !p.invited && e.from == p.friendJid && !p.session.game()) {
                    p.invited = true;
                    apply(p, p.session.invite(p.friendJid, SideChoice::Sente, false, now()));
                }
                break;
            case LinkEvent::Type::FriendOffline:
                apply(p, p.session.friendOffline(e.from));
                break;
            case LinkEvent::Type::Payload:
                apply(p, p.session.received(e.from, e.text, now()));
                break;
            case LinkEvent::Type::Error:
                ++errors;
                std::fprintf(stderr, "%s: %s\n", p.jid.c_str(), e.text.c_str());
                break;
        }
    }
};

bool finishedAlike(const Player& a, const Player& b) {
    const auto &ga = a.session.game(), &gb = b.session.game();
    return ga && gb && ga->finished && gb->finished && ga->moves == gb->moves &&
           ga->resignedSide == gb->resignedSide;
}

}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SERVER_DIR [GAMES] [MOVE_CAP]\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const int games = argc > 2 ? std::atoi(argv[2]) : DEFAULT_GAMES;
    Load load;
    if (argc > 3) load.moveCap = std::atoi(argv[3]);

    std::map<std::string, std::string> passwords;
    std::ifstream in(dir + "/passwords");
    for (std::string name, pw; in >> name >> pw;)
        passwords[name] = pw;
    int port = 0;
    std::ifstream(dir + "/port") >> port;
    if (games < 1 || static_cast<int>(passwords.size()) < 2 * games || port <= 0) {
        std::fprintf(stderr, "%s: needs %d accounts and a port\n", dir.c_str(), 2 * games);
        return 2;
    }

    Wake wake;
    std::vector<std::unique_ptr<Player>> players;
    for (int i = 1; i <= 2 * games; ++i) {
        const int mate = i % 2 ? i + 1 : i - 1;
        const std::string jid = "user" + std::to_string(i) + "@localhost";
        const std::string friendJid = "user" + std::to_string(mate) + "@localhost";
        auto& p = players.emplace_back(std::make_unique<Player>(jid, friendJid, i % 2 == 1, i));
        p->link.setWake([&wake] { wake.ring(); });
        Account account{jid, passwords.at("user" + std::to_string(i)), "127.0.0.1", port,
                        dir + "/cert.pem"};
        p->link.connect(account);
    }

    int done = 0, alike = 0;
    while (Clock::now() - load.start < GIVE_UP_AFTER) {
        unsigned seen = 0;
        {
            std::unique_lock lock(wake.mutex);
            seen = wake.count;
        }
        for (auto& p : players) {
            for (const LinkEvent& e : p->link.takeEvents())
                load.handle(*p, e);
            load.apply(*p, p->session.tick(load.now()));
        }
        done = alike = 0;
        for (int g = 0; g < games; ++g) {
            const Player &a = *players[2 * g], &b = *players[2 * g + 1];
            done += a.session.game() && b.session.game() && a.session.game()->finished &&
                    b.session.game()->finished;
            alike += finishedAlike(a, b);
        }
        if (done == games) break;
        std::unique_lock lock(wake.mutex);
        wake.cv.wait_for(lock, IDLE_TICK, [&] { return wake.count != seen; });
    }
    const double wall = load.now();
    long moves = 0;
    for (int g = 0; g < games; ++g)
        if (const auto& game = players[2 * g]->session.game()) moves += game->moves.size();
    players.clear();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("games %d, finished %d, records equal %d\n", games, done, alike);
    std::printf("moves %ld, game messages sent %ld, link errors %d\n", moves, load.messagesSent,
                load.errors);
    std::printf("wall %.1f s, client CPU %.1f s, client peak RSS %ld MiB\n", wall, cpu,
                usage.ru_maxrss / 1024);
    return done == games && alike == games ? 0 : 1;
}
