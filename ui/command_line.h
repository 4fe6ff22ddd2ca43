#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "net/xmpp_link.h"

namespace quorvel {

// The password file's largest size in bytes.
inline constexpr std::size_t MAX_PASSWORD_FILE_BYTES = 1024;

// What the command line asks for. With no arguments the program starts as always; with an
// account it connects at start:
//   quorvel --account JID --password-file FILE [--server HOST:PORT] [--ca-file FILE]
struct CommandLine {
    std::optional<std::string> account;
    std::string passwordFile;
    std::string host;
    int port = 0;
    std::string caFile;
};

// Why the arguments make no sense, for the usage text.
struct CommandLineError {
    std::string reason;
};

// The arguments after the program's name. Every option takes one value and comes at most once;
// --password-file is needed with --account, and the others make sense only with it.
std::variant<CommandLine, CommandLineError> parseCommandLine(const std::vector<std::string>& args);

// The account of a command line, its password read once from the password file: a regular file
// of at most MAX_PASSWORD_FILE_BYTES holding one line (its line end is not part of the password).
// The password stays in memory only.
std::variant<net::Account, CommandLineError> accountOf(const CommandLine& line);

// The usage text, with the reason first.
std::string usageText(const CommandLineError& error);

}
