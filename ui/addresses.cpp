#include "ui/addresses.h"

#include <algorithm>
#include <charconv>

namespace quorvel {

namespace {

constexpr int MAX_PORT = 65535;
constexpr std::size_t MAX_HOST_BYTES = 255;
constexpr unsigned char FIRST_PRINTABLE = 0x20;
constexpr unsigned char DELETE = 0x7f;
constexpr std::string_view LOCAL_FORBIDDEN = "\"&'/:<>@";

bool spaceOrControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= FIRST_PRINTABLE || byte == DELETE;
}

bool plain(std::string_view text) {
    return std::none_of(text.begin(), text.end(), spaceOrControl);
}

}

bool validAddress(std::string_view address) {
    const std::size_t at = address.find('@');
    if (at == std::string_view::npos) return false;
    const std::string_view local = address.substr(0, at);
    const std::string_view domain = address.substr(at + 1);
    if (local.empty() || domain.empty()) return false;
    if (local.size() > MAX_ADDRESS_PART_BYTES || domain.size() > MAX_ADDRESS_PART_BYTES)
        return false;
    if (!plain(address)) return false;
    if (local.find_first_of(LOCAL_FORBIDDEN) != std::string_view::npos) return false;
    if (domain.find_first_of("@/") != std::string_view::npos) return false;
    return domain.front() != '.' && domain.back() != '.';
}

std::optional<ServerAddress> parseServer(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view host = text.substr(0, colon);
    const std::string_view port = text.substr(colon + 1);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string_view::npos) {
        return std::nullopt;  // an IPv6 host needs its brackets
    }
    if (host.empty() || host.size() > MAX_HOST_BYTES || !plain(host)) return std::nullopt;
    if (host.find_first_of("[]/@") != std::string_view::npos) return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || error != std::errc() || end != port.data() + port.size())
        return std::nullopt;
    if (number < 1 || number > MAX_PORT) return std::nullopt;
    return ServerAddress{std::string(host), number};
}

}
