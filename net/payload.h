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
// The longest record of a network game: a Sync of it still fits in MAX_PAYLOAD_BYTES.
inline constexpr int MAX_GAME_MOVES = 3600;
// The most take-backs one game may agree to; a bound for the counter a Sync carries.
inline constexpr int MAX_TAKE_BACKS = 999999;
// A refusal's reason is cut to this length when written.
inline constexpr std::size_t MAX_REASON_BYTES = 200;
// A game id: this many lowercase hex digits.
inline constexpr std::size_t GAME_ID_DIGITS = 32;

enum class Kind {
    Invite,           // the inviter offers a game: its id, the side the inviter plays, the rule
    Accept,           // the invited friend takes it
    Decline,          // the invited friend refuses it
    Move,             // a move: its number, its magnet and the position's hash after it
    Resign,           // the sender gives up the game
    TakeBackRequest,  // the sender asks to take the game back to `moveNumber` moves
    TakeBackAnswer,   // yes or no to the request to keep `moveNumber` moves
    Sync,             // the sender's whole record of the game, sent on (re)connecting
    Refuse,           // a polite "not understood": unknown version or kind, or a refused stanza
};

struct Payload {
    Kind kind = Kind::Refuse;
    int version = PROTOCOL_VERSION;
    // 32 lowercase hex digits, chosen at random by the inviter; may be empty only in a Refuse.
    std::string gameId;
    // Invite: the side the inviter plays, SIDE_SENTE or SIDE_GOTE; the 千日手 rule.
    int inviterSide = SIDE_SENTE;
    bool repetitionDraw = false;
    // Move: its number (1 for the first move); TakeBackRequest and TakeBackAnswer: the number of
    // moves kept.
    int moveNumber = 0;
    Direction direction = Direction::Left;
    // Move: positionHash of the position after the move.
    std::uint64_t positionHash = 0;
    // TakeBackAnswer.
    bool agreed = false;
    // Sync: every move of the sender's record, first move first; the side that resigned the
    // game (SIDE_NONE while nobody has); how many take-backs the sender's record has gone through.
    std::vector<Direction> moves;
    int resignedSide = SIDE_NONE;
    int takeBacks = 0;
    // Refuse: a short reason in ASCII, for the log.
    std::string reason;

    bool operator==(const Payload&) const = default;
};

// Why a payload text was refused.
struct PayloadError {
    std::string reason;
    // The text was itself a refusal (of any version): it is never answered, so two programs that
    // do not understand each other cannot refuse each other for ever.
    bool refusal = false;
};

// The element's text for a chat message (the whole <game ...>...</game> element). A reason is
// cut to MAX_REASON_BYTES and its characters outside the allowed set become '_'.
std::string formatPayload(const Payload& payload);
// Strict: the form formatPayload writes, as an XML writer may render it (the two attributes in
// either order, either quote); a bounded length, a known kind, every field present, in order
// and in range. Anything else is an error, never a partly read payload. A version other than
// PROTOCOL_VERSION is an error whose reason says so, so the sender can be answered politely.
std::variant<Payload, PayloadError> parsePayload(std::string_view element);

}
