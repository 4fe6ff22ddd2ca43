#include "sound/sample_block.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <thread>
#include <vector>

#include "memory_file.h"

namespace {

using audiotest::memoryFile;
using Bytes = std::vector<std::uint8_t>;

// Bytes that differ from page to page, so a page read twice or skipped shows.
Bytes patterned(std::size_t size) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>((i * 7 + i / 4096) & 0xff);
    return out;
}

Bytes contents(const SampleBlock& block) {
    return Bytes(block.data(), block.data() + block.size());
}

constexpr std::size_t noLimit = std::size_t{1} << 31;

struct ReadCase {
    const char* name;
    std::size_t fileSize;
    std::size_t expectedSize;  // what the caller believes the size to be
};

// The block always holds exactly the file, whatever size the caller expected.
TEST(SampleBlock, ReadsTheWholeFileWhateverSizeWasExpected) {
    const ReadCase cases[] = {
        {"size as expected", 7'056'044, 7'056'044},
        {"small file", 100, 100},
        {"exactly one page", 4096, 4096},
        {"longer than expected", 300'000, 1000},
        {"much longer than the first allocation", 1'000'000, 0},
        {"shorter than expected", 5000, 80'000},
        {"size unknown", 70'000, 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = patterned(c.fileSize);
        const int fd = memoryFile(file);
        SampleBlock block;
        EXPECT_EQ(block.readToEnd(fd, c.expectedSize, noLimit), 0);
        ::close(fd);
        EXPECT_EQ(block.size(), c.fileSize);
        EXPECT_TRUE(contents(block) == file);
    }
}

TEST(SampleBlock, EmptyFileGivesAnEmptyBlock) {
    const int fd = memoryFile({});
    SampleBlock block;
    EXPECT_EQ(block.readToEnd(fd, 0, noLimit), 0);
    ::close(fd);
    EXPECT_TRUE(block.empty());
}

// A pipe yields its bytes in pieces and has no size.
TEST(SampleBlock, ReadsAPipeToItsEnd) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const Bytes sent = patterned(500'000);
    std::thread writer([&] {
        std::size_t done = 0;
        while (done < sent.size()) {
            const ssize_t put = ::write(ends[1], sent.data() + done,
                                        std::min<std::size_t>(10'000, sent.size() - done));
            if (put <= 0) break;
            done += static_cast<std::size_t>(put);
        }
        ::close(ends[1]);
    });
    SampleBlock block;
    EXPECT_EQ(block.readToEnd(ends[0], 0, noLimit), 0);
    writer.join();
    ::close(ends[0]);
    EXPECT_TRUE(contents(block) == sent);
}

// A source that never ends stops at the limit instead of taking all memory.
TEST(SampleBlock, EndlessSourceStopsAtTheLimit) {
    const int fd = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    SampleBlock block;
    EXPECT_EQ(block.readToEnd(fd, 0, 3'000'000), EFBIG);
    ::close(fd);
    EXPECT_TRUE(block.empty());
}

TEST(SampleBlock, AFileOfExactlyTheLimitIsRead) {
    const Bytes file = patterned(200'000);
    const int fd = memoryFile(file);
    SampleBlock block;
    EXPECT_EQ(block.readToEnd(fd, file.size(), file.size()), 0);
    ::close(fd);
    EXPECT_TRUE(contents(block) == file);
}

TEST(SampleBlock, ReadFailureLeavesTheBlockEmpty) {
    const int fd = memoryFile(patterned(1000));
    SampleBlock block;
    ASSERT_EQ(block.readToEnd(fd, 1000, noLimit), 0);
    ::close(fd);
    EXPECT_EQ(block.readToEnd(fd, 1000, noLimit), EBADF);
    EXPECT_TRUE(block.empty());
}

TEST(SampleBlock, MovingHandsOverTheBytes) {
    const Bytes file = patterned(10'000);
    const int fd = memoryFile(file);
    SampleBlock first;
    ASSERT_EQ(first.readToEnd(fd, file.size(), noLimit), 0);
    ::close(fd);

    SampleBlock second(std::move(first));
    EXPECT_TRUE(first.empty());
    EXPECT_TRUE(contents(second) == file);

    SampleBlock third;
    third = std::move(second);
    EXPECT_TRUE(second.empty());
    EXPECT_TRUE(contents(third) == file);
}

}
