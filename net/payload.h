#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rules/gravity.h"

namespace quorvel::net {

// The game's own payload, carried as one element in a chat message between two players.
// The element is <game xmlns="urn:quorvel:game:1" version="1"> around one line of text
// (the wire form is described in docs/network-protocol.md).
inline constexpr std::string_view PAYLOAD_NAMESPACE = "urn:quorvel:game:1";
inline constexpr int PROTOCOL_VERSION = 1;
// Anything longer is refused unread.
inline constexpr std::size_t MAX_PAYLOAD_BYTES = 4096;

enum class Kind {
    Invite,           // the inviter offers a game: its id, the side the inviter plays, the rule
    Accept,           // the invited friend takes it
    Decline,          // the invited friend refuses it
    Move,             // a move: its number, its magnet and the position's hash after it
    Resign,           // the sender gives up the game
    TakeBackRequest,  // the sender asks to take the game back to `moveNumber` moves
    TakeBackAnswer,   // yes or no to the last request
    Sync,             // the sender's whole record of the game, sent on (re)connecting
    Refuse,           // a polite "not understood": unknown version or kind, or a refused stanza
};

struct Payload {
    Kind kind = Kind::Refuse;
    int version = PROTOCOL_VERSION;
    // 32 lowercase hex digits, chosen at random by the inviter.
    std::string gameId;
    // Invite: the side the inviter plays, SIDE_SENTE or SIDE_GOTE; the 千日手 rule.
    int inviterSide = 0;
    bool repetitionDraw = false;
    // Move: its number (1 for the first move); TakeBackRequest: the number of moves kept.
    int moveNumber = 0;
    Direction direction = Direction::Left;
    // Move: positionHash of the position after the move.
    std::uint64_t positionHash = 0;
    // TakeBackAnswer.
    bool agreed = false;
    // Sync: every move of the sender's record, first move first; and whether the sender has
    // resigned (the record then ends with that resignation).
    std::vector<Direction> moves;
    // Refuse: a short reason in ASCII, for the log.
    std::string reason;
};

// Why a payload text was refused.
struct PayloadError {
    std::string reason;
};

// The element's text for a chat message (the whole <game .../> element).
std::string formatPayload(const Payload& payload);
// Strict: exactly the form formatPayload writes (bounded length, known kind, every field in
// range); anything else is an error, never a partly read payload. A version other than
// PROTOCOL_VERSION is an error whose reason says so, so the sender can be answered politely.
std::variant<Payload, PayloadError> parsePayload(std::string_view element);

}
