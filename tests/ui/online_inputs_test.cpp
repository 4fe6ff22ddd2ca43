// The addresses, servers and command lines the player gives for network play.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "ui/addresses.h"
#include "ui/command_line.h"

namespace quorvel {
namespace {

TEST(OnlineInputsTest, AddressesNeedOneLocalPartAndDomainWithoutSpacesOrControls) {
    const std::string longPart(MAX_ADDRESS_PART_BYTES + 1, 'a');
    const struct {
        std::string address;
        bool valid;
    } rows[] = {
        {"alice@example.org", true},
        {"a.b-c_d@localhost", true},
        {"アリス@例え.jp", true},
        {"alice", false},
        {"@example.org", false},
        {"alice@", false},
        {"al ice@example.org", false},
        {"alice@exa\tmple.org", false},
        {"alice@example.org/home", false},
        {"a@b@example.org", false},
        {"al<ice@example.org", false},
        {"alice@.example.org", false},
        {"alice@example.org.", false},
        {std::string("al\x7f") + "@x.org", false},
        {longPart + "@example.org", false},
        {"alice@" + longPart, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(validAddress(row.address), row.valid) << row.address;
}

TEST(OnlineInputsTest, ServersAreHostColonPortInRange) {
    const struct {
        std::string text;
        std::string host;  // empty: refused
        int port;
    } rows[] = {
        {"localhost:5222", "localhost", 5222},
        {"[::1]:15222", "::1", 15222},
        {"xmpp.example.org:1", "xmpp.example.org", 1},
        {"host:65535", "host", 65535},
        {"host:0", "", 0},
        {"host:65536", "", 0},
        {"host:", "", 0},
        {":5222", "", 0},
        {"host", "", 0},
        {"::1:5222", "", 0},
        {"ho st:5222", "", 0},
        {"host:52x2", "", 0},
        {"host:+5222", "", 0},
    };
    for (const auto& row : rows) {
        const auto server = parseServer(row.text);
        ASSERT_EQ(server.has_value(), !row.host.empty()) << row.text;
        if (server) {
            EXPECT_EQ(server->host, row.host) << row.text;
            EXPECT_EQ(server->port, row.port) << row.text;
        }
    }
}

TEST(OnlineInputsTest, CommandLinesAreRefusedWithAReason) {
    using Args = std::vector<std::string>;
    const Args refused[] = {
        {"--acount", "a@b.org"},
        {"--account"},
        {"--account", "a@b.org"},
        {"--password-file", "pw"},
        {"--account", "nobody", "--password-file", "pw"},
        {"--account", "a@b.org", "--password-file", "pw", "--server", "host"},
        {"--account", "a@b.org", "--account", "c@d.org", "--password-file", "pw"},
    };
    for (const Args& args : refused) {
        const auto line = parseCommandLine(args);
        ASSERT_TRUE(std::holds_alternative<CommandLineError>(line)) << args.front();
        EXPECT_NE(usageText(std::get<CommandLineError>(line)).find("usage: quorvel"),
                  std::string::npos);
    }
    const auto none = parseCommandLine({});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(none));
    EXPECT_FALSE(std::get<CommandLine>(none).account);
}

TEST(OnlineInputsTest, ThePasswordFileGivesOneLineOnce) {
    const std::filesystem::path folder = testing::TempDir();
    const std::filesystem::path file = folder / "quorvel-password";
    const auto accountWith = [&](const std::string& contents) {
        std::ofstream(file, std::ios::binary) << contents;
        const auto line =
            parseCommandLine({"--account", "alice@example.org", "--password-file", file.string(),
                              "--server", "[::1]:15222", "--ca-file", "ca.pem"});
        return accountOf(std::get<CommandLine>(line));
    };
    const auto account = accountWith("s3cret word\r\n");
    ASSERT_TRUE(std::holds_alternative<net::Account>(account));
    const auto& read = std::get<net::Account>(account);
    EXPECT_EQ(read.jid, "alice@example.org");
    EXPECT_EQ(read.password, "s3cret word");
    EXPECT_EQ(read.host, "::1");
    EXPECT_EQ(read.port, 15222);
    EXPECT_EQ(read.caFile, "ca.pem");

    for (const std::string& bad : {std::string(), std::string("\n"), std::string("a\nb"),
                                   std::string(MAX_PASSWORD_FILE_BYTES + 1, 'x')})
        EXPECT_TRUE(std::holds_alternative<CommandLineError>(accountWith(bad))) << bad.size();
    std::filesystem::remove(file);
    const auto missing = accountOf(CommandLine{"alice@example.org", file.string(), "", 0, ""});
    EXPECT_TRUE(std::holds_alternative<CommandLineError>(missing));
}

}
}
