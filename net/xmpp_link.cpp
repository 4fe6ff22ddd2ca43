#include "net/xmpp_link.h"

#include <pthread.h>
#include <strophe.h>

#include <csignal>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <utility>

#include "net/payload.h"

namespace quorvel::net {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// One turn of the link's loop waits at most this long for the network, so that the queues and a
// request to stop are seen soon.
constexpr unsigned long RUN_TIMEOUT_MS = 20;
// Pauses before reconnecting: the first, and the longest the doubling reaches.
constexpr auto FIRST_RETRY = 500ms;
constexpr auto LONGEST_RETRY = 30s;
// How long the link waits for a polite goodbye when it is destroyed.
constexpr auto CLOSE_GRACE = 1s;

const char* const NS_ROSTER = "jabber:iq:roster";

// The pause before reconnection attempt `attempt` (0 for the first after a drop), spread by
// `jitter` in [0, 1) over 75 % to 125 % so that many clients dropped together do not return
// together.
Clock::duration retryDelay(int attempt, double jitter) {
    auto base = std::chrono::duration_cast<Clock::duration>(FIRST_RETRY);
    for (int i = 0; i < attempt && base < LONGEST_RETRY; ++i)
        base *= 2;
    base = std::min<Clock::duration>(base, LONGEST_RETRY);
    return std::chrono::duration_cast<Clock::duration>(base * (0.75 + 0.5 * jitter));
}

// Owns a string allocated by libstrophe.
struct StropheString {
    xmpp_ctx_t* ctx;
    char* text;
    ~StropheString() {
        if (text) xmpp_free(ctx, text);
    }
    std::string str() const { return text ? std::string(text) : std::string(); }
};

struct Released {
    void operator()(xmpp_stanza_t* s) const { xmpp_stanza_release(s); }
};
using StanzaPtr = std::unique_ptr<xmpp_stanza_t, Released>;

// libstrophe's password exchange is not safe to run on two threads at once (two links of one
// process then compute wrong proofs now and then), so the links of a process take turns from
// opening a connection until it is authenticated or gone.
std::mutex handshakeMutex;
const void* handshakeHolder = nullptr;

bool takeHandshakeTurn(const void* link) {
    std::lock_guard lock(handshakeMutex);
    if (handshakeHolder && handshakeHolder != link) return false;
    handshakeHolder = link;
    return true;
}

void endHandshakeTurn(const void* link) {
    std::lock_guard lock(handshakeMutex);
    if (handshakeHolder == link) handshakeHolder = nullptr;
}

void initializeLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { xmpp_initialize(); });
}

}

struct XmppLink::Impl {
    // Shared with the caller's thread, under `mutex`.
    std::mutex mutex;
    std::function<void()> wake;
    std::vector<LinkEvent> events;
    std::deque<std::pair<std::string, std::string>> outbox;
    std::deque<std::string> friendRequests;
    std::set<std::string> friends;  // bare JIDs whose subscription requests are granted
    Account account;
    bool wanted = false;
    unsigned generation = 0;
    std::atomic<LinkState> state{LinkState::Offline};
    std::atomic<bool> quit{false};
    std::thread thread;

    // The link's thread only.
    xmpp_ctx_t* ctx = nullptr;
    xmpp_conn_t* conn = nullptr;
    unsigned connGeneration = 0;
    bool closing = false;
    bool retryPending = false;
    bool fatal = false;
    int attempt = 0;
    Clock::time_point nextAttempt{};
    std::string certError;
    std::string lastError;  // the last error libstrophe reported, for the reason of a drop
    std::map<std::string, std::set<std::string>> available;  // bare JID -> its online resources
    std::mt19937 random{std::random_device{}()};

    void queue(LinkEvent event) {
        std::function<void()> w;
        {
            std::lock_guard lock(mutex);
            events.push_back(std::move(event));
            w = wake;
        }
        if (w) w();
    }

    void setState(LinkState s, std::string why = {}) {
        if (state.exchange(s) == s) return;
        queue({LinkEvent::Type::StateChanged, s, {}, std::move(why)});
    }

    void run();
    void startConnection(const Account& acc);
    void flush();
    void sendPresence(const char* type, const std::string& to);
    void onConnected();
    void onDropped(int error, xmpp_stream_error_t* streamError);
    void onMessage(xmpp_stanza_t* stanza);
    void onPresence(xmpp_stanza_t* stanza);
    void onRoster(xmpp_stanza_t* stanza);
    // The link whose thread this is, for libstrophe's certificate callback, which has no
    // user data.
    static thread_local Impl* current;

    // Only errors and warnings are kept, and only as the reason of the next drop: libstrophe's
    // debug output carries the raw stream, which includes the authentication exchange.
    static void onLog(void* userdata, xmpp_log_level_t level, const char* area, const char* msg) {
        if (level < XMPP_LEVEL_WARN) return;
        auto* impl = static_cast<Impl*>(userdata);
        impl->lastError = std::string(area) + ": " + msg;
    }

    // Called only when the certificate failed verification against the CA store: it is refused, and
    // the reason kept so the drop that follows is reported as final.
    static int onCertFail(const xmpp_tlscert_t*, const char* const errormsg) {
        if (current) current->certError = errormsg ? errormsg : "certificate not trusted";
        return 0;
    }

    static void onConnection(xmpp_conn_t*, xmpp_conn_event_t event, int error,
                             xmpp_stream_error_t* streamError, void* userdata) {
        auto* impl = static_cast<Impl*>(userdata);
        if (event == XMPP_CONN_CONNECT)
            impl->onConnected();
        else if (event == XMPP_CONN_DISCONNECT || event == XMPP_CONN_FAIL)
            impl->onDropped(error, streamError);
    }

    static int onMessageStanza(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
        static_cast<Impl*>(userdata)->onMessage(stanza);
        return 1;
    }

    static int onPresenceStanza(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
        static_cast<Impl*>(userdata)->onPresence(stanza);
        return 1;
    }

    static int onRosterResult(xmpp_conn_t*, xmpp_stanza_t* stanza, void* userdata) {
        static_cast<Impl*>(userdata)->onRoster(stanza);
        return 0;
    }

    std::string bare(const char* jid) const {
        return jid ? StropheString{ctx, xmpp_jid_bare(ctx, jid)}.str() : std::string();
    }
};

thread_local XmppLink::Impl* XmppLink::Impl::current = nullptr;

void XmppLink::Impl::run() {
    current = this;
    // A write to a socket the server has just closed must not end the program: on this thread
    // it fails with EPIPE instead, and libstrophe sees a dropped connection.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    const xmpp_log_t log{onLog, this};
    ctx = xmpp_ctx_new(nullptr, &log);
    Clock::time_point closeDeadline{};
    for (;;) {
        Account acc;
        bool want = false;
        unsigned gen = 0;
        {
            std::lock_guard lock(mutex);
            acc = account;
            want = wanted;
            gen = generation;
        }
        const bool stopping = quit.load();
        if (conn && (stopping || !want || gen != connGeneration)) {
            if (!closing) {
                closing = true;
                closeDeadline = Clock::now() + CLOSE_GRACE;
                retryPending = false;
                if (xmpp_conn_is_connected(conn)) sendPresence("unavailable", {});
                if (!xmpp_conn_is_disconnected(conn)) xmpp_disconnect(conn);
            }
            if (xmpp_conn_is_disconnected(conn) || Clock::now() > closeDeadline) {
                xmpp_conn_release(conn);
                endHandshakeTurn(this);
                conn = nullptr;
                closing = false;
                setState(LinkState::Offline, "disconnected");
            }
        }
        if (stopping && !conn) break;
        if (!stopping && want && !conn && !closing) {
            connGeneration = gen;
            fatal = false;
            attempt = 0;
            startConnection(acc);
        } else if (conn && !closing && retryPending && Clock::now() >= nextAttempt &&
                   takeHandshakeTurn(this)) {
            retryPending = false;
            certError.clear();
            lastError.clear();
            setState(LinkState::Connecting);
            if (xmpp_connect_client(conn, acc.host.empty() ? nullptr : acc.host.c_str(),
                                    static_cast<unsigned short>(acc.port), onConnection,
                                    this) != XMPP_EOK)
                onDropped(0, nullptr);
        }
        if (conn && !closing && state.load() == LinkState::Online) flush();
        xmpp_run_once(ctx, RUN_TIMEOUT_MS);
    }
    xmpp_ctx_free(ctx);
    ctx = nullptr;
    current = nullptr;
}

void XmppLink::Impl::startConnection(const Account& acc) {
    if (acc.jid.find('@') == std::string::npos || acc.password.empty()) {
        queue({LinkEvent::Type::Error, LinkState::Offline, {}, "the account is incomplete"});
        std::lock_guard lock(mutex);
        wanted = false;
        return;
    }
    conn = xmpp_conn_new(ctx);
    xmpp_conn_set_flags(conn, XMPP_CONN_FLAG_MANDATORY_TLS);
    if (!acc.caFile.empty()) xmpp_conn_set_cafile(conn, acc.caFile.c_str());
    xmpp_conn_set_certfail_handler(conn, onCertFail);
    xmpp_conn_set_sockopt_callback(conn, xmpp_sockopt_cb_keepalive);
    char resource[9];
    std::snprintf(resource, sizeof resource, "%08x", static_cast<unsigned>(random()));
    const std::string full = bare(acc.jid.c_str()) + "/quorvel-" + resource;
    xmpp_conn_set_jid(conn, full.c_str());
    xmpp_conn_set_pass(conn, acc.password.c_str());
    xmpp_handler_add(conn, onMessageStanza, nullptr, "message", nullptr, this);
    xmpp_handler_add(conn, onPresenceStanza, nullptr, "presence", nullptr, this);
    retryPending = true;
    nextAttempt = Clock::now();
}

void XmppLink::Impl::sendPresence(const char* type, const std::string& to) {
    StanzaPtr presence(xmpp_presence_new(ctx));
    if (type) xmpp_stanza_set_type(presence.get(), type);
    if (!to.empty()) xmpp_stanza_set_to(presence.get(), to.c_str());
    xmpp_send(conn, presence.get());
}

void XmppLink::Impl::onConnected() {
    endHandshakeTurn(this);
    attempt = 0;
    available.clear();
    StanzaPtr iq(xmpp_iq_new(ctx, "get", "roster"));
    StanzaPtr query(xmpp_stanza_new(ctx));
    xmpp_stanza_set_name(query.get(), "query");
    xmpp_stanza_set_ns(query.get(), NS_ROSTER);
    xmpp_stanza_add_child(iq.get(), query.get());
    xmpp_id_handler_add(conn, onRosterResult, "roster", this);
    xmpp_send(conn, iq.get());
    sendPresence(nullptr, {});
    setState(LinkState::Online);
}

void XmppLink::Impl::onDropped(int error, xmpp_stream_error_t* streamError) {
    endHandshakeTurn(this);
    for (auto& [jid, resources] : available)
        queue({LinkEvent::Type::FriendOffline, LinkState::Offline, jid, {}});
    available.clear();
    const bool certRefused = !certError.empty();
    const bool passwordRefused = (streamError && streamError->type == XMPP_SE_NOT_AUTHORIZED) ||
                                 lastError.rfind("auth:", 0) == 0;
    std::string why = certRefused       ? "the server's certificate is not trusted: " + certError
                      : passwordRefused ? "the server refused the account or its password"
                      : streamError && streamError->text ? streamError->text
                      : error                            ? std::strerror(error)
                      : !lastError.empty()               ? lastError
                                                         : "connection closed";
    const bool refused = certRefused || passwordRefused;
    if (closing) return;
    if (refused) {
        fatal = true;
        setState(LinkState::Offline, why);
        queue({LinkEvent::Type::Error, LinkState::Offline, {}, why});
        std::lock_guard lock(mutex);
        wanted = false;
        return;
    }
    setState(LinkState::Offline, why);
    std::uniform_real_distribution<double> jitter(0.0, 1.0);
    nextAttempt = Clock::now() + retryDelay(attempt, jitter(random));
    ++attempt;
    retryPending = true;
}

void XmppLink::Impl::flush() {
    std::deque<std::pair<std::string, std::string>> messages;
    std::deque<std::string> requests;
    {
        std::lock_guard lock(mutex);
        messages.swap(outbox);
        requests.swap(friendRequests);
    }
    for (const auto& jid : requests) {
        sendPresence("subscribe", jid);
        // Granted in advance, so the friend's own request is answered at once by the server.
        sendPresence("subscribed", jid);
    }
    for (const auto& [to, element] : messages) {
        StanzaPtr child(xmpp_stanza_new_from_string(ctx, element.c_str()));
        if (!child) {
            queue({LinkEvent::Type::Error, state.load(), to, "an outgoing payload was not XML"});
            continue;
        }
        StanzaPtr message(xmpp_message_new(ctx, "chat", to.c_str(), nullptr));
        xmpp_stanza_add_child(message.get(), child.get());
        xmpp_send(conn, message.get());
    }
}

void XmppLink::Impl::onMessage(xmpp_stanza_t* stanza) {
    const char* type = xmpp_stanza_get_type(stanza);
    if (!type || std::strcmp(type, "chat") != 0) return;
    const std::string ns(PAYLOAD_NAMESPACE);
    xmpp_stanza_t* child = xmpp_stanza_get_child_by_ns(stanza, ns.c_str());
    const std::string from = bare(xmpp_stanza_get_from(stanza));
    if (!child || from.empty()) return;
    char* buffer = nullptr;
    std::size_t length = 0;
    if (xmpp_stanza_to_text(child, &buffer, &length) != XMPP_EOK) return;
    StropheString text{ctx, buffer};
    if (length > MAX_PAYLOAD_BYTES) return;
    queue({LinkEvent::Type::Payload, LinkState::Online, from, text.str()});
}

void XmppLink::Impl::onPresence(xmpp_stanza_t* stanza) {
    const char* fullFrom = xmpp_stanza_get_from(stanza);
    const std::string from = bare(fullFrom);
    const std::string self = bare(xmpp_conn_get_bound_jid(conn));
    if (from.empty() || from == self) return;
    const char* type = xmpp_stanza_get_type(stanza);
    if (type && std::strcmp(type, "subscribe") == 0) {
        bool known = false;
        {
            std::lock_guard lock(mutex);
            known = friends.count(from) > 0;
        }
        if (known) sendPresence("subscribed", from);
        return;
    }
    auto& resources = available[from];
    const bool wasOnline = !resources.empty();
    if (!type)
        resources.insert(fullFrom);
    else if (std::strcmp(type, "unavailable") == 0)
        resources.erase(fullFrom);
    else
        return;
    if (resources.empty()) available.erase(from);
    const bool isOnline = available.count(from) > 0;
    if (isOnline != wasOnline)
        queue({isOnline ? LinkEvent::Type::FriendOnline : LinkEvent::Type::FriendOffline,
               state.load(),
               from,
               {}});
}

void XmppLink::Impl::onRoster(xmpp_stanza_t* stanza) {
    // Everyone already in the roster with a subscription was befriended before.
    xmpp_stanza_t* query = xmpp_stanza_get_child_by_ns(stanza, NS_ROSTER);
    if (!query) return;
    std::lock_guard lock(mutex);
    for (xmpp_stanza_t* item = xmpp_stanza_get_children(query); item;
         item = xmpp_stanza_get_next(item)) {
        const char* jid = xmpp_stanza_get_attribute(item, "jid");
        const char* sub = xmpp_stanza_get_attribute(item, "subscription");
        if (jid && sub && std::strcmp(sub, "none") != 0) friends.insert(bare(jid));
    }
}

XmppLink::XmppLink() : impl_(std::make_unique<Impl>()) {
    initializeLibraryOnce();
}

XmppLink::~XmppLink() {
    impl_->quit = true;
    if (impl_->thread.joinable()) impl_->thread.join();
}

void XmppLink::setWake(std::function<void()> wake) {
    std::lock_guard lock(impl_->mutex);
    impl_->wake = std::move(wake);
}

void XmppLink::connect(const Account& account) {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->account = account;
        impl_->wanted = true;
        ++impl_->generation;
    }
    if (!impl_->thread.joinable()) impl_->thread = std::thread([this] { impl_->run(); });
}

void XmppLink::disconnect() {
    std::lock_guard lock(impl_->mutex);
    impl_->wanted = false;
}

void XmppLink::send(const std::string& toBareJid, const std::string& element) {
    std::lock_guard lock(impl_->mutex);
    impl_->outbox.emplace_back(toBareJid, element);
}

void XmppLink::befriend(const std::string& bareJid) {
    std::lock_guard lock(impl_->mutex);
    impl_->friends.insert(bareJid);
    impl_->friendRequests.push_back(bareJid);
}

std::vector<LinkEvent> XmppLink::takeEvents() {
    std::lock_guard lock(impl_->mutex);
    return std::exchange(impl_->events, {});
}

LinkState XmppLink::state() const {
    return impl_->state.load();
}

}
