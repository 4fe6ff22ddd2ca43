// Links against the Prosody the fixture started in QUORVEL_PROSODY_DIR.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "net/xmpp_link.h"

namespace {

using namespace quorvel::net;
using namespace std::chrono_literals;

const std::string DIR = QUORVEL_PROSODY_DIR;

Account account(const std::string& user, bool trusted = true) {
    std::map<std::string, std::string> passwords;
    std::ifstream in(DIR + "/passwords");
    for (std::string name, pw; in >> name >> pw;)
        passwords[name] = pw;
    std::ifstream portFile(DIR + "/port");
    Account a;
    portFile >> a.port;
    a.jid = user + "@localhost";
    a.password = passwords.at(user);
    a.host = "127.0.0.1";
    if (trusted) a.caFile = DIR + "/cert.pem";
    return a;
}

void server(const char* verb) {
    const std::string sh = QUORVEL_PROSODY_SH;
    const std::string extra = std::string(verb) == "start" ? " 4" : "";
    ASSERT_EQ(std::system((sh + " " + verb + " " + DIR + extra + " >/dev/null").c_str()), 0);
}

// A link whose events are gathered as they come, woken the way the window is.
struct Client {
    XmppLink link;
    std::mutex mutex;
    std::condition_variable woken;
    std::vector<LinkEvent> seen;
    unsigned wakes = 0;

    Client() {
        link.setWake([this] {
            std::lock_guard lock(mutex);
            ++wakes;
            woken.notify_all();
        });
    }
    // Waits (at most a generous while, against a hang) until an event matches; true if one did.
    bool await(const std::function<bool(const LinkEvent&)>& match) {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        for (std::size_t checked = 0;;) {
            unsigned before = 0;
            {
                std::lock_guard lock(mutex);
                before = wakes;
            }
            for (auto& e : link.takeEvents())
                seen.push_back(std::move(e));
            for (; checked < seen.size(); ++checked)
                if (match(seen[checked])) return true;
            std::unique_lock lock(mutex);
            if (!woken.wait_until(lock, deadline, [&] { return wakes != before; })) return false;
        }
    }
    bool awaitState(LinkState s) {
        return await([s](const LinkEvent& e) {
            return e.type == LinkEvent::Type::StateChanged && e.state == s;
        });
    }
    bool awaitPayload(const std::string& from, const std::string& text) {
        return await([&](const LinkEvent& e) {
            return e.type == LinkEvent::Type::Payload && e.from == from && e.text == text;
        });
    }
};

std::string element(const std::string& line) {
    return "<game xmlns=\"urn:quorvel:game:1\">" + line + "</game>";
}

TEST(XmppLink, friendsSeeEachOtherAndExchangePayloadsBothWaysDroppingOversizedOnes) {
    Client a, b;
    a.link.connect(account("user1"));
    b.link.connect(account("user2"));
    ASSERT_TRUE(a.awaitState(LinkState::Online));
    ASSERT_TRUE(b.awaitState(LinkState::Online));
    a.link.befriend("user2@localhost");
    b.link.befriend("user1@localhost");
    auto online = [](const std::string& who) {
        return [who](const LinkEvent& e) {
            return e.type == LinkEvent::Type::FriendOnline && e.from == who;
        };
    };
    EXPECT_TRUE(a.await(online("user2@localhost")));
    EXPECT_TRUE(b.await(online("user1@localhost")));

    a.link.send("user2@localhost", element(std::string(5000, 'x')));
    a.link.send("user2@localhost", element("from one"));
    b.link.send("user1@localhost", element("from two"));
    EXPECT_TRUE(b.awaitPayload("user1@localhost", element("from one")));
    EXPECT_TRUE(a.awaitPayload("user2@localhost", element("from two")));
    for (const auto& e : b.seen)
        EXPECT_FALSE(e.type == LinkEvent::Type::Payload && e.text.size() > 4096);
}

TEST(XmppLink, refusedPasswordAndUntrustedCertificateAreErrorsWithoutRetrying) {
    Account wrong = account("user3");
    wrong.password += "x";
    const struct {
        Account account;
        std::string reason;
    } rows[] = {{wrong, "password"}, {account("user4", false), "certificate"}};
    for (const auto& row : rows) {
        Client c;
        c.link.connect(row.account);
        ASSERT_TRUE(c.await([&](const LinkEvent& e) {
            return e.type == LinkEvent::Type::Error && e.text.find(row.reason) != std::string::npos;
        })) << row.reason;
        // A retry would show as a Connecting state well within this pause.
        std::this_thread::sleep_for(1500ms);
        for (const auto& e : c.link.takeEvents())
            EXPECT_NE(e.state, LinkState::Connecting) << row.reason << " retried: " << e.text;
        EXPECT_EQ(c.link.state(), LinkState::Offline) << row.reason;
    }
}

TEST(XmppLink, bothLinksReturnAfterTheServerRestartsAndWhatWasQueuedMeanwhileArrives) {
    Client a, b;
    a.link.connect(account("user1"));
    b.link.connect(account("user2"));
    ASSERT_TRUE(a.awaitState(LinkState::Online));
    ASSERT_TRUE(b.awaitState(LinkState::Online));
    server("stop");
    EXPECT_TRUE(a.awaitState(LinkState::Offline));
    EXPECT_TRUE(b.awaitState(LinkState::Offline));
    a.link.send("user2@localhost", element("sent while down"));
    a.seen.clear();
    b.seen.clear();
    server("start");
    EXPECT_TRUE(a.awaitState(LinkState::Online));
    EXPECT_TRUE(b.awaitState(LinkState::Online));
    EXPECT_TRUE(b.awaitPayload("user1@localhost", element("sent while down")));
}

}
