#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::net {

// A player's account on an XMPP server.
struct Account {
    std::string jid;       // "name@example.org" (a resource is added by the link)
    std::string password;  // kept in memory only
    std::string host;      // empty: the server the JID's domain names
    int port = 0;          // 0: the default
    std::string caFile;    // empty: the system's CA store
};

enum class LinkState { Offline, Connecting, Online };

// What the link saw, handed over on the caller's thread by takeEvents().
struct LinkEvent {
    enum class Type {
        StateChanged,   // state: the new state; text: why, when it went offline
        Payload,        // from: the sender's bare JID; text: the game element as received
        FriendOnline,   // from: a bare JID in the roster became available
        FriendOffline,  // from: ... became unavailable
        Error,          // text: for the log and the player (a refused password, a bad cert)
    };
    Type type = Type::Error;
    LinkState state = LinkState::Offline;
    std::string from;
    std::string text;
};

// One XMPP client connection, run on a thread of its own: nothing here blocks the caller.
// TLS is required and the server's certificate verified. After a dropped connection it
// reconnects with growing pauses until disconnect() is called.
class XmppLink {
  public:
    XmppLink();
    ~XmppLink();
    XmppLink(const XmppLink&) = delete;
    XmppLink& operator=(const XmppLink&) = delete;

    // Called on the link's thread whenever an event is queued; the caller uses it to wake its
    // own loop (e.g. a queued Qt call) and then calls takeEvents() there.
    void setWake(std::function<void()> wake);

    void connect(const Account& account);
    void disconnect();
    // Queues a chat message to a bare JID carrying the game element text (see payload.h).
    // Queued while offline and sent after reconnecting.
    void send(const std::string& toBareJid, const std::string& element);
    // Asks for and grants presence subscription with a friend, so each sees the other online.
    void befriend(const std::string& bareJid);

    std::vector<LinkEvent> takeEvents();
    LinkState state() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}
