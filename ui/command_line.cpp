#include "ui/command_line.h"

#include <cstring>
#include <map>
#include <string_view>

#include "storage/regular_file.h"
#include "ui/addresses.h"

namespace quorvel {

namespace {

constexpr std::string_view ACCOUNT = "--account";
constexpr std::string_view PASSWORD_FILE = "--password-file";
constexpr std::string_view SERVER = "--server";
constexpr std::string_view CA_FILE = "--ca-file";

CommandLineError error(std::string reason) {
    return CommandLineError{std::move(reason)};
}

}

std::variant<CommandLine, CommandLineError> parseCommandLine(const std::vector<std::string>& args) {
    std::map<std::string_view, std::string> values;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const std::string_view name = args[i];
        if (name != ACCOUNT && name != PASSWORD_FILE && name != SERVER && name != CA_FILE)
            return error("unknown argument " + args[i]);
        if (i + 1 == args.size()) return error(args[i] + " needs a value");
        if (!values.emplace(name, args[i + 1]).second) return error(args[i] + " given twice");
    }
    CommandLine line;
    if (values.empty()) return line;
    if (!values.contains(ACCOUNT)) return error("--account is needed with the other options");
    if (!values.contains(PASSWORD_FILE)) return error("--account needs --password-file");
    if (!validAddress(values[ACCOUNT])) return error("not an address: " + values[ACCOUNT]);
    line.account = values[ACCOUNT];
    line.passwordFile = values[PASSWORD_FILE];
    if (values.contains(SERVER)) {
        const std::optional<ServerAddress> server = parseServer(values[SERVER]);
        if (!server) return error("not a HOST:PORT: " + values[SERVER]);
        line.host = server->host;
        line.port = server->port;
    }
    if (values.contains(CA_FILE)) line.caFile = values[CA_FILE];
    return line;
}

std::variant<net::Account, CommandLineError> accountOf(const CommandLine& line) {
    std::string password;
    const int failure = readRegularFile(line.passwordFile, MAX_PASSWORD_FILE_BYTES, password);
    if (failure != 0)
        return error("cannot read the password file " + line.passwordFile + ": " +
                     std::strerror(failure));
    if (password.ends_with('\n')) password.pop_back();
    if (password.ends_with('\r')) password.pop_back();
    if (password.empty() || password.find_first_of("\r\n", 0) != std::string::npos ||
        password.find('\0') != std::string::npos)
        return error("the password file must hold the password on one line");
    return net::Account{*line.account, std::move(password), line.host, line.port, line.caFile};
}

std::string usageText(const CommandLineError& error) {
    return "quorvel: " + error.reason +
           "\nusage: quorvel [--account JID --password-file FILE [--server HOST:PORT]"
           " [--ca-file FILE]]\n";
}

}
