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

struct ReadCase {
    const char* name;
    std::size_t fileSize;
    std::size_t count;  // the most the caller asks for
};

// The block holds the file's first count bytes, or the whole file when it is shorter: a file
// that grew after its size was taken is cut there, one that shrank gives what is left.
TEST(SampleBlock, ReadsAtMostTheCountAskedFor) {
    const ReadCase cases[] = {
        {"the music's size", 7'056'044, 7'056'044},
        {"small file", 100, 100},
        {"exactly one page", 4096, 4096},
        {"one byte past a page", 4097, 4097},
        {"file grew after its size was taken", 300'000, 1000},
        {"file shrank after its size was taken", 5000, 80'000},
        {"nothing asked for", 70'000, 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes file = patterned(c.fileSize);
        const int fd = memoryFile(file);
        SampleBlock block;
        EXPECT_EQ(block.readAtMost(fd, c.count), 0);
        ::close(fd);
        const Bytes expected(file.begin(),
                             file.begin() + static_cast<long>(std::min(c.fileSize, c.count)));
        EXPECT_EQ(block.size(), expected.size());
        EXPECT_TRUE(contents(block) == expected);
    }
}

TEST(SampleBlock, EmptyFileGivesAnEmptyBlock) {
    const int fd = memoryFile({});
    SampleBlock block;
    EXPECT_EQ(block.readAtMost(fd, 4096), 0);
    ::close(fd);
    EXPECT_TRUE(block.empty());
}

// A pipe yields its bytes in pieces; the block gathers them up to the count.
TEST(SampleBlock, GathersAPipeInPieces) {
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
    EXPECT_EQ(block.readAtMost(ends[0], sent.size()), 0);
    writer.join();
    ::close(ends[0]);
    EXPECT_TRUE(contents(block) == sent);
}

// A source that never ends gives exactly the count and no more.
TEST(SampleBlock, EndlessSourceStopsAtTheCount) {
    const int fd = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    SampleBlock block;
    EXPECT_EQ(block.readAtMost(fd, 3'000'000), 0);
    ::close(fd);
    EXPECT_EQ(block.size(), 3'000'000u);
}

TEST(SampleBlock, ReadFailureLeavesTheBlockEmpty) {
    const int fd = memoryFile(patterned(1000));
    SampleBlock block;
    ASSERT_EQ(block.readAtMost(fd, 1000), 0);
    ::close(fd);
    EXPECT_EQ(block.readAtMost(fd, 1000), EBADF);
    EXPECT_TRUE(block.empty());
}

TEST(SampleBlock, MovingHandsOverTheBytes) {
    const Bytes file = patterned(10'000);
    const int fd = memoryFile(file);
    SampleBlock first;
    ASSERT_EQ(first.readAtMost(fd, file.size()), 0);
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
