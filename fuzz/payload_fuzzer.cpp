// Feeds arbitrary bytes to the game payload reader and checks what it promises:
//  - it never crashes; an accepted payload has every field in range, and is written and read
//    back as the same payload;
// and, building a payload of arbitrary values from the same bytes, that whatever the writer
// writes fits the bound and the reader takes back; and that a session in the middle of a game
// survives the bytes as a stanza from the friend, never letting its record grow past a move.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "net/online_session.h"
#include "net/payload.h"

namespace {

using quorvel::net::Payload;

const std::string FRIEND = "friend@example.org";

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "payload_fuzzer: %s\n", what);
    std::abort();
}

bool inRange(const Payload& p) {
    const bool idOk = p.gameId.size() == quorvel::net::GAME_ID_DIGITS ||
                      (p.gameId.empty() && p.kind == quorvel::net::Kind::Refuse);
    return idOk && p.moveNumber >= 0 && p.moveNumber <= quorvel::net::MAX_GAME_MOVES &&
           p.moves.size() <= static_cast<std::size_t>(quorvel::net::MAX_GAME_MOVES) &&
           p.reason.size() <= quorvel::net::MAX_REASON_BYTES &&
           p.version == quorvel::net::PROTOCOL_VERSION;
}

void checkReading(std::string_view text) {
    const auto result = quorvel::net::parsePayload(text);
    if (const auto* error = std::get_if<quorvel::net::PayloadError>(&result)) {
        if (error->reason.empty()) fail("error without a reason");
        return;
    }
    const Payload& p = std::get<Payload>(result);
    if (!inRange(p)) fail("a field out of range was accepted");
    const auto again = quorvel::net::parsePayload(quorvel::net::formatPayload(p));
    if (!std::holds_alternative<Payload>(again) || std::get<Payload>(again) != p) {
        fail("an accepted payload did not read back the same");
    }
}

void checkWriting(FuzzedDataProvider& data) {
    Payload p;
    p.kind = static_cast<quorvel::net::Kind>(data.ConsumeIntegralInRange(0, 8));
    p.gameId = std::string(quorvel::net::GAME_ID_DIGITS,
                           "0123456789abcdef"[data.ConsumeIntegralInRange(0, 15)]);
    p.inviterSide = data.ConsumeBool() ? quorvel::SIDE_SENTE : quorvel::SIDE_GOTE;
    p.repetitionDraw = data.ConsumeBool();
    p.moveNumber = data.ConsumeIntegralInRange(p.kind == quorvel::net::Kind::Move ? 1 : 0,
                                               quorvel::net::MAX_GAME_MOVES - 1);
    p.direction = static_cast<quorvel::Direction>(data.ConsumeIntegralInRange(0, 3));
    p.positionHash = data.ConsumeIntegral<std::uint64_t>();
    p.agreed = data.ConsumeBool();
    p.moves.resize(data.ConsumeIntegralInRange<std::size_t>(0, quorvel::net::MAX_GAME_MOVES));
    for (auto& d : p.moves)
        d = static_cast<quorvel::Direction>(data.ConsumeIntegralInRange(0, 3));
    p.resignedSide = data.ConsumeIntegralInRange(-1, 1);
    p.takeBacks = data.ConsumeIntegralInRange(0, quorvel::net::MAX_TAKE_BACKS);
    p.reason = data.ConsumeRandomLengthString(400);
    if (p.reason.empty()) p.reason = "x";
    const std::string text = quorvel::net::formatPayload(p);
    if (text.size() > quorvel::net::MAX_PAYLOAD_BYTES) fail("a written payload is too long");
    const auto back = quorvel::net::parsePayload(text);
    if (!std::holds_alternative<Payload>(back)) fail("a written payload was refused");
    if (quorvel::net::formatPayload(std::get<Payload>(back)) != text) fail("a rewrite changed it");
}

void checkSession(std::string_view text) {
    quorvel::net::OnlineSession session([] { return 4u; });
    quorvel::net::OnlineGame game;
    game.gameId = std::string(quorvel::net::GAME_ID_DIGITS, 'a');
    game.friendJid = FRIEND;
    game.localSide = quorvel::SIDE_GOTE;
    game.moves = {quorvel::Direction::Left, quorvel::Direction::Right};
    session.restore(game);
    session.received(FRIEND, text, 0);
    // The friend's next move is the third; the fourth would be this side's, which no stanza
    // may bring.
    if (session.game()->moves.size() > 3) fail("a stanza brought a move of this side");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkReading(text);
    checkSession(text);
    FuzzedDataProvider provider(data, size);
    checkWriting(provider);
    return 0;
}
