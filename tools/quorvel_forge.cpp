// Sends a move for someone else's game from a third account, as a stranger who learned the game
// id would: the next move after the given record, with the right number and the right hash, so
// that only the sender's address tells it apart from the friend's move. Waits for the receiver's
// answer and prints it; the receiver must refuse it.
//
//   quorvel_forge SERVER_DIR ACCOUNT TO GAME_ID MOVES DIR
// SERVER_DIR is a folder made by tests/online/prosody.sh; ACCOUNT ("user3") signs in there and
// sends to TO (a bare address). MOVES is the record so far as 先手 sees the board, one letter a
// move (l r u d, "-" for none), DIR the forged magnet's letter.
// Exit status: 0 when a refusal came back within the time allowed, 1 otherwise, 2 on bad use.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "net/online_game.h"
#include "net/payload.h"
#include "net/xmpp_link.h"

namespace {

using namespace quorvel;
using namespace quorvel::net;
using Clock = std::chrono::steady_clock;

constexpr auto GIVE_UP_AFTER = std::chrono::seconds(30);
constexpr auto POLL = std::chrono::milliseconds(100);

std::optional<Direction> letterMove(char letter) {
    switch (letter) {
        case 'l':
            return Direction::Left;
        case 'r':
            return Direction::Right;
        case 'u':
            return Direction::Up;
        case 'd':
            return Direction::Down;
        default:
            return std::nullopt;
    }
}

std::string passwordOf(const std::string& dir, const std::string& account) {
    std::ifstream in(dir + "/passwords");
    for (std::string name, pw; in >> name >> pw;)
        if (name == account) return pw;
    return {};
}

}

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s SERVER_DIR ACCOUNT TO GAME_ID MOVES DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1], account = argv[2], to = argv[3], moveLetters = argv[5];
    std::vector<Direction> moves;
    for (char letter : moveLetters == "-" ? std::string() : moveLetters) {
        const auto move = letterMove(letter);
        if (!move) return 2;
        moves.push_back(*move);
    }
    const auto forged =
        std::string_view(argv[6]).size() == 1 ? letterMove(argv[6][0]) : std::nullopt;
    const std::string password = passwordOf(dir, account);
    int port = 0;
    std::ifstream(dir + "/port") >> port;
    if (!forged || password.empty() || port <= 0) {
        std::fprintf(stderr, "%s: needs the account %s, a port and a magnet\n", dir.c_str(),
                     account.c_str());
        return 2;
    }

    Payload move;
    move.kind = Kind::Move;
    move.gameId = argv[4];
    moves.push_back(*forged);
    move.moveNumber = static_cast<int>(moves.size());
    move.direction = *forged;
    move.positionHash = positionHash(moves);

    XmppLink link;
    link.connect(Account{account + "@localhost", password, "127.0.0.1", port, dir + "/cert.pem"});
    const auto start = Clock::now();
    while (Clock::now() - start < GIVE_UP_AFTER) {
        for (const LinkEvent& e : link.takeEvents()) {
            if (e.type == LinkEvent::Type::StateChanged && e.state == LinkState::Online) {
                link.send(to, formatPayload(move));
                std::printf("sent to %s: %s\n", to.c_str(), formatPayload(move).c_str());
            } else if (e.type == LinkEvent::Type::Error) {
                std::fprintf(stderr, "link: %s\n", e.text.c_str());
            } else if (e.type == LinkEvent::Type::Payload && e.from == to) {
                const auto answer = parsePayload(e.text);
                const auto* p = std::get_if<Payload>(&answer);
                if (p && p->kind == Kind::Refuse) {
                    std::printf("refused by %s: %s\n", to.c_str(), p->reason.c_str());
                    link.disconnect();
                    return 0;
                }
            }
        }
        std::this_thread::sleep_for(POLL);
    }
    std::fprintf(stderr, "no refusal from %s\n", to.c_str());
    link.disconnect();
    return 1;
}
