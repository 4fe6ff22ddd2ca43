#include <gtest/gtest.h>

#include <random>

#include "net/payload.h"

namespace quorvel::net {
namespace {

const std::string ID(32, 'a');
const std::string HASH = "0123456789abcdef";

std::string element(const std::string& line,
                    const std::string& attributes = R"( xmlns="urn:quorvel:game:1" version="1")") {
    return "<game" + attributes + ">" + line + "</game>";
}

TEST(Payload, RefusesEverythingOutsideTheWireForm) {
    struct Case {
        std::string text;
        std::string reason;
        bool refusal = false;
    };
    const std::string move = "move id=" + ID + " n=1 dir=up hash=" + HASH;
    const Case cases[] = {
        {element(std::string(MAX_PAYLOAD_BYTES, 'x')), "payload too long"},
        {element(move) + " ", "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:2" version="1")"), "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:1" version="1" to="x")"), "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:1" version="1" version="1")"),
         "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:1"  version="1")"), "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:1" version='1")"), "not a game element"},
        {R"(<game xmlns="urn:quorvel:game:1" version="1"/>)", "not a game element"},
        {element(move, R"( xmlns="urn:quorvel:game:1" version="2")"), "unsupported version 2"},
        {element("refuse reason=x", R"( xmlns="urn:quorvel:game:1" version="7")"),
         "unsupported version 7", true},
        {element(move, R"( xmlns="urn:quorvel:game:1" version="01")"), "bad version"},
        {element("castle id=" + ID), "unknown kind"},
        {element(""), "unknown kind"},
        {element("accept id=" + std::string(32, 'A')), "bad game id"},
        {element("accept id=" + ID + " "), "bad game id"},
        {element("accept id=" + ID + " n=1"), "bad fields"},
        {element("move id=" + ID + " n=0 dir=up hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=3601 dir=up hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=01 dir=up hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=1 dir=\xe4\xb8\x8a hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=1 dir=north hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=1 dir=up hash=" + HASH.substr(1)), "bad fields"},
        {element("move id=" + ID + " n=1 dir=up hash=0123456789ABCDEF"), "bad fields"},
        {element("move id=" + ID + " dir=up n=1 hash=" + HASH), "bad fields"},
        {element("move id=" + ID + " n=1  dir=up hash=" + HASH), "bad fields"},
        {element("invite id=" + ID + " side=none draw=no"), "bad fields"},
        {element("takeback-answer id=" + ID + " keep=2 agree=maybe"), "bad fields"},
        {element("takeback id=" + ID + " keep=-1"), "bad fields"},
        {element("sync id=" + ID + " tb=0 resigned=none moves=lrx"), "bad fields"},
        {element("sync id=" + ID + " tb=0 resigned=none moves=" + std::string(3601, 'l')),
         "bad fields"},
        {element("sync id=" + ID + " tb=0 resigned=none"), "bad fields"},
        {element("refuse reason="), "bad fields", true},
        {element("refuse reason=a &amp; b"), "bad fields", true},
    };
    for (const Case& c : cases) {
        const auto result = parsePayload(c.text);
        const auto* error = std::get_if<PayloadError>(&result);
        ASSERT_NE(error, nullptr) << "accepted: " << c.text.substr(0, 200);
        EXPECT_EQ(error->reason, c.reason) << c.text.substr(0, 200);
        EXPECT_EQ(error->refusal, c.refusal) << c.text.substr(0, 200);
    }
}

Payload randomPayload(std::mt19937& random) {
    const auto upTo = [&random](int high) {
        return std::uniform_int_distribution<int>(0, high)(random);
    };
    Payload p;
    p.kind = static_cast<Kind>(upTo(static_cast<int>(Kind::Refuse)));
    for (std::size_t i = 0; i < GAME_ID_DIGITS; ++i)
        p.gameId += "0123456789abcdef"[upTo(15)];
    switch (p.kind) {
        case Kind::Invite:
            p.inviterSide = upTo(1) ? SIDE_SENTE : SIDE_GOTE;
            p.repetitionDraw = upTo(1);
            break;
        case Kind::Move:
            p.moveNumber = 1 + upTo(MAX_GAME_MOVES - 1);
            p.direction = static_cast<Direction>(upTo(3));
            p.positionHash = (std::uint64_t{random()} << 32) | random();
            break;
        case Kind::TakeBackAnswer:
            p.agreed = upTo(1);
            [[fallthrough]];
        case Kind::TakeBackRequest:
            p.moveNumber = upTo(MAX_GAME_MOVES - 1);
            break;
        case Kind::Sync:
            p.moves.resize(static_cast<std::size_t>(upTo(upTo(1) ? MAX_GAME_MOVES : 9)));
            for (Direction& d : p.moves)
                d = static_cast<Direction>(upTo(3));
            p.resignedSide = upTo(2) - 1;
            p.takeBacks = upTo(MAX_TAKE_BACKS);
            break;
        case Kind::Refuse:
            if (upTo(1)) p.gameId.clear();
            p.reason.resize(1 + static_cast<std::size_t>(upTo(MAX_REASON_BYTES - 1)));
            for (char& c : p.reason)
                c = "az AZ09.,:;()_/-"[upTo(15)];
            break;
        default:
            break;
    }
    return p;
}

TEST(Payload, EveryWrittenPayloadReadsBackTheSameWithinTheBound) {
    std::mt19937 random(20261209);
    for (int i = 0; i < 3000; ++i) {
        const Payload p = randomPayload(random);
        const std::string text = formatPayload(p);
        ASSERT_LE(text.size(), MAX_PAYLOAD_BYTES);
        // As an XML writer may render it: the attributes swapped, single quotes.
        std::string swapped = text;
        swapped.replace(0, text.find('>'), R"(<game version='1' xmlns='urn:quorvel:game:1')");
        for (const std::string& form : {text, swapped}) {
            const auto back = parsePayload(form);
            ASSERT_TRUE(std::holds_alternative<Payload>(back)) << form.substr(0, 200);
            ASSERT_EQ(std::get<Payload>(back), p) << form.substr(0, 200);
        }
    }
    Payload hostile;
    hostile.reason = "<>&\"'!" + std::string(2 * MAX_REASON_BYTES, 'r');
    const auto back = parsePayload(formatPayload(hostile));
    ASSERT_TRUE(std::holds_alternative<Payload>(back));
    EXPECT_EQ(std::get<Payload>(back).reason, "______" + std::string(MAX_REASON_BYTES - 6, 'r'));
}

}
}
