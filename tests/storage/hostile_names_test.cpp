// What the game finds under the names it opens may be anything. These cases check that only
// regular files (directly or through links) are opened, that nothing blocks, and that no more is
// read than the file held when it was opened.
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "storage/regular_file.h"
#include "storage/settings_file.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class HostileNames : public ::testing::Test {
  public:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quorvel-hostile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
        dir_ = pattern;
    }
    void TearDown() override {
        if (writer_ > 0) {
            ::kill(writer_, SIGKILL);
            ::waitpid(writer_, nullptr, 0);
        }
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path path(const std::string& name) const { return dir_ / name; }

    // A child process that keeps writing into the FIFO for as long as the test runs.
    void startEndlessWriter(const fs::path& fifo) {
        writer_ = ::fork();
        ASSERT_GE(writer_, 0);
        if (writer_ == 0) {
            const int fd = ::open(fifo.c_str(), O_RDWR);
            const std::string chunk(4096, 'x');
            while (fd >= 0 && ::write(fd, chunk.data(), chunk.size()) >= 0) {
            }
            ::_exit(0);
        }
    }

  private:
    fs::path dir_;
    pid_t writer_ = -1;
};

struct KindCase {
    const char* name;
    std::function<void(HostileNames&, const fs::path&)> make;
    int expectedError;  // 0: opened
};

void makeSocket(HostileNames&, const fs::path& at) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(at.native().size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, at.c_str(), at.native().size());
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

const std::vector<KindCase>& kindCases() {
    static const std::vector<KindCase> cases = {
        {"regular file", [](HostileNames&, const fs::path& at) { writeFile(at, "abc"); }, 0},
        {"link to a regular file",
         [](HostileNames&, const fs::path& at) {
             writeFile(fs::path(at) += ".real", "abc");
             fs::create_symlink(fs::path(at) += ".real", at);
         },
         0},
        {"missing", [](HostileNames&, const fs::path&) {}, ENOENT},
        {"link that leads nowhere",
         [](HostileNames&, const fs::path& at) { fs::create_symlink("nowhere", at); }, ENOENT},
        {"link loop", [](HostileNames&, const fs::path& at) { fs::create_symlink(at, at); }, ELOOP},
        {"directory", [](HostileNames&, const fs::path& at) { fs::create_directory(at); }, EISDIR},
        {"link to a directory",
         [](HostileNames&, const fs::path& at) { fs::create_directory_symlink("/", at); }, EISDIR},
        {"FIFO without a writer",
         [](HostileNames&, const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); },
         EINVAL},
        {"FIFO with a writer that never stops",
         [](HostileNames& test, const fs::path& at) {
             ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0);
             test.startEndlessWriter(at);
         },
         EINVAL},
        {"link to /dev/zero",
         [](HostileNames&, const fs::path& at) { fs::create_symlink("/dev/zero", at); }, EINVAL},
        {"link to /dev/urandom",
         [](HostileNames&, const fs::path& at) { fs::create_symlink("/dev/urandom", at); }, EINVAL},
        {"socket", makeSocket, EINVAL},
    };
    return cases;
}

TEST_F(HostileNames, OnlyRegularFilesOpenAndNothingBlocks) {
    int index = 0;
    for (const KindCase& c : kindCases()) {
        SCOPED_TRACE(c.name);
        const fs::path at = path("name" + std::to_string(index++));
        c.make(*this, at);
        RegularFile file;
        EXPECT_EQ(file.open(at), c.expectedError) << std::strerror(file.open(at));
        EXPECT_EQ(file.isOpen(), c.expectedError == 0);
        if (c.expectedError == 0) {
            EXPECT_EQ(file.sizeAtOpen(), 3u);
        }
    }
}

// The settings reader treats every refused kind as a missing file, so the game writes the
// defaults (or, for a directory in the way, keeps going without a file).
TEST_F(HostileNames, SettingsReaderFindsNoFileWhereThereIsNoRegularOne) {
    int index = 0;
    for (const KindCase& c : kindCases()) {
        SCOPED_TRACE(c.name);
        const fs::path at = path("Quorvel" + std::to_string(index++) + ".ini");
        c.make(*this, at);
        EXPECT_EQ(readSettingsLines(at).has_value(), c.expectedError == 0);
    }
}

TEST_F(HostileNames, WholeFileReadIsBoundedBySizeAndLimit) {
    writeFile(path("small"), "0123456789");
    std::string bytes = "left over";
    EXPECT_EQ(readRegularFile(path("small"), 10, bytes), 0);
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_EQ(readRegularFile(path("small"), 9, bytes), EFBIG);
    EXPECT_TRUE(bytes.empty());

    // A sparse file of 4 GiB is refused from its size alone, without reading.
    writeFile(path("sparse"), "");
    fs::resize_file(path("sparse"), std::uintmax_t{4} << 30);
    EXPECT_EQ(readRegularFile(path("sparse"), std::size_t{64} << 20, bytes), EFBIG);

    fs::create_symlink("/dev/zero", path("zero"));
    EXPECT_EQ(readRegularFile(path("zero"), 1000, bytes), EINVAL);
}

// A file that grows after it was opened is read only as far as it reached at the open.
TEST_F(HostileNames, GrowthAfterTheOpenIsNotRead) {
    writeFile(path("growing"), std::string(5000, 'a'));
    RegularFile file;
    ASSERT_EQ(file.open(path("growing")), 0);
    std::ofstream(path("growing"), std::ios::binary | std::ios::app) << std::string(100000, 'b');
    std::string buffer(file.sizeAtOpen(), '\0');
    EXPECT_EQ(file.readSome(buffer.data(), buffer.size()), 5000);
    EXPECT_EQ(buffer, std::string(5000, 'a'));
}

// A settings file far larger than any settings file is read only as far as the reader looks,
// even while something keeps appending to it.
TEST_F(HostileNames, SettingsReaderStopsOnAFileThatKeepsGrowing) {
    const fs::path at = path("Quorvel.ini");
    writeFile(at, "");
    fs::resize_file(at, std::uintmax_t{4} << 30);
    const pid_t appender = ::fork();
    ASSERT_GE(appender, 0);
    if (appender == 0) {
        const int fd = ::open(at.c_str(), O_WRONLY | O_APPEND);
        const std::string chunk(65536, 'x');
        while (fd >= 0 && ::write(fd, chunk.data(), chunk.size()) >= 0) {
        }
        ::_exit(0);
    }
    const std::optional<std::vector<std::string>> lines = readSettingsLines(at);
    ::kill(appender, SIGKILL);
    ::waitpid(appender, nullptr, 0);
    ASSERT_TRUE(lines.has_value());
    // Zero bytes without a line end: one damaged line, which no settings line matches.
    ASSERT_EQ(lines->size(), 1u);
    EXPECT_NE(lines->front().find("\xEF\xBF\xBD"), std::string::npos);
}

}
}
