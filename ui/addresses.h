#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The longest local part and the longest domain of an address the window accepts, in bytes.
inline constexpr std::size_t MAX_ADDRESS_PART_BYTES = 1023;

// A player's bare address, "local@domain": one '@' between a local part and a domain, neither
// empty nor too long, no spaces or control characters anywhere, none of the characters an
// address may not carry in its local part (" & ' / : < > @), no '/' (a resource) in the domain
// and no dot at either end of it.
bool validAddress(std::string_view address);

// A server given as "host:port" (an IPv6 host in brackets, "[::1]:5222").
struct ServerAddress {
    std::string host;
    int port = 0;
};

// The server of a "host:port" text: a host without spaces or control characters and a port
// 1..65535 in decimal; nothing when the text is anything else.
std::optional<ServerAddress> parseServer(std::string_view text);

}
