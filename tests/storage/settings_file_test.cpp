#include "storage/settings_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "allocation_counter.h"
#include "file_helpers.h"
#include "ordinary_user.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using namespace quorvel::testing;
using Lines = std::vector<std::string>;

// U+FFFD, which the reader puts into every line it cannot take faithfully.
const std::string R = "\xEF\xBF\xBD";

// Bytes written as hexadecimal pairs, e.g. "94 77 0d 0a".
std::string hexBytes(const std::string& hex) {
    std::string out;
    std::istringstream in(hex);
    std::string pair;
    while (in >> pair)
        out += static_cast<char>(std::stoi(pair, nullptr, 16));
    return out;
}

const std::string kDefaultBytes = hexBytes(
    "94 77 8c 69 89 e6 3d 97 ce 0d 0a"
    " 88 da 93 ae 8e 77 93 b1 3d 4f 46 46 0d 0a"
    " 8c 6f 89 df 8e 9e 8a d4 3d 4f 4e 0d 0a"
    " 42 47 4d 3d 4f 4e 0d 0a");
const Lines kDefaultLines = {"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON"};
const Lines kOtherLines = {"背景画=宇宙", "移動指導=ON", "経過時間=OFF", "BGM=OFF"};

// --- files and processes -----------------------------------------------------------------

using test::namesIn;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

fs::perms permissionsOf(const fs::path& file) {
    return fs::status(file).permissions() & fs::perms::mask;
}

// --- conversions over bytes --------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string bytes;
    Lines expected;
};

std::string repeat(char c, std::size_t count) {
    return std::string(count, c);
}

std::string repeat(const std::string& text, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += text;
    return out;
}

const ReadCase kReadCases[] = {
    {"Empty", "", {}},
    {"DefaultFile", kDefaultBytes, kDefaultLines},
    {"OneLine", hexBytes("94 77 8c 69 89 e6 3d 97 ce 0d 0a"), {"背景画=緑"}},
    {"TwoLines", "BGM=ON\r\nBGM=OFF\r\n", {"BGM=ON", "BGM=OFF"}},
    {"ThreeLines", "a\r\nb\r\nc\r\n", {"a", "b", "c"}},
    {"OptionLinesAfterTheFourAreRead",
     "1\r\n2\r\n3\r\n4\r\n" + hexBytes("8b ad 82 b3 3d 8f e3 8b 89 0d 0a") + "6",
     {"1", "2", "3", "4", "強さ=上級", "6"}},
    {"SeventeenLinesKeepFirstSixteen",
     "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n",
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"}},
    {"LowerCaseKeptAsWritten", "bgm=on\r\n", {"bgm=on"}},
    {"TrailingSpacesKept", "BGM=ON  \r\n", {"BGM=ON  "}},
    {"LeadingSpaceAndTabKept", " \tBGM=ON\r\n", {" \tBGM=ON"}},
    {"LoneLineFeeds", "a\nb\n", {"a", "b"}},
    {"MixedLineEnds", "a\nb\r\nc\n", {"a", "b", "c"}},
    {"LastLineWithoutLineEnd", "a\r\nBGM=ON", {"a", "BGM=ON"}},
    {"LoneCarriageReturnIsText", "a\rb\r\n", {"a\rb"}},
    {"CarriageReturnAtEndOfInputIsText", "BGM=ON\r", {"BGM=ON\r"}},
    {"OnlyOneCarriageReturnBelongsToLineEnd", "BGM=ON\r\r\n", {"BGM=ON\r"}},
    {"BlankLines", "\r\n\n\r\n", {"", "", ""}},
    {"BackslashAndTildeAreAscii", "\\~\r\n", {"\\~"}},
    // Characters plain Shift-JIS lacks but CP932 has.
    {"NecSpecialCharacter", hexBytes("87 40"), {"①"}},
    {"IbmExtensionKanji", hexBytes("fa 5c"), {"纊"}},
    {"NecSelectedIbmExtensionKanji", hexBytes("ed 40"), {"纊"}},
    {"HalfWidthKatakana", hexBytes("b1 dd"), {"ｱﾝ"}},
    {"TrailByteThatLooksLikeAscii", hexBytes("94 77 8c 69 89 e6 3d 92 7c"), {"背景画=竹"}},
    // Damaged lines: U+FFFD marks each place that could not be taken.
    {"InvalidSingleByte", "BGM=\x80ON\r\n", {"BGM=" + R + "ON"}},
    {"InvalidBytesFFandA0", "\xff\xa0\r\nBGM=ON\r\n", {R + R, "BGM=ON"}},
    {"LeadByteWithBadTrail", hexBytes("81 20 41"), {R + " A"}},
    {"UnassignedDoubleByte", hexBytes("85 40"), {R + "@"}},
    {"LeadByteCutByLineEnd", hexBytes("42 94 0d 0a 94 77"), {"B" + R, "背"}},
    {"LeadByteAtEndOfInput", hexBytes("42 94"), {"B" + R}},
    {"NulByte", std::string("BGM=\0ON\r\n", 9), {"BGM=" + R + "ON"}},
    {"OnlyNul", std::string("\0", 1), {R}},
    {"LongestKeptLine", repeat('x', 256) + "\r\n", {repeat('x', 256)}},
    {"LongestKeptLineEndingInCarriageReturn",
     repeat('x', 255) + "\r\r\n",
     {repeat('x', 255) + "\r"}},
    {"OneByteTooLong", repeat('x', 257) + "\r\nBGM=ON\r\n", {repeat('x', 256) + R, "BGM=ON"}},
    {"TooLongWithoutLineEnd", repeat('x', 300), {repeat('x', 256) + R}},
    // 'x' and 128 copies of 亜 (88 9f): the 256 bytes kept end on the first half of a kanji.
    {"TooLongLineCutInsideDoubleByte",
     "x" + repeat("\x88\x9f", 128) + "\r\n",
     {"x" + repeat("亜", 127) + R + R}},
};

// Test names stay readable when gtest prints a case.
void PrintTo(const ReadCase& c, std::ostream* out) {
    *out << c.name;
}

class DecodeTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DecodeTest, BytesDecodeToExpectedLines) {
    EXPECT_EQ(decodeSettingsBytes(GetParam().bytes), GetParam().expected);
}

TEST_P(DecodeTest, FileReadsLikeItsBytes) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, GetParam().bytes);
    const auto lines = readSettingsLines(file);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, DecodeTest, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every line the game accepts, with its exact bytes on disk.
struct AllowedLine {
    std::string text;
    std::string cp932;
};

const AllowedLine kAllowedLines[] = {
    {"背景画=緑", hexBytes("94 77 8c 69 89 e6 3d 97 ce")},
    {"背景画=竹", hexBytes("94 77 8c 69 89 e6 3d 92 7c")},
    {"背景画=畳", hexBytes("94 77 8c 69 89 e6 3d 8f f4")},
    {"背景画=宇宙", hexBytes("94 77 8c 69 89 e6 3d 89 46 92 88")},
    {"背景画=煉瓦", hexBytes("94 77 8c 69 89 e6 3d 97 f9 8a a2")},
    {"移動指導=ON", hexBytes("88 da 93 ae 8e 77 93 b1 3d 4f 4e")},
    {"移動指導=OFF", hexBytes("88 da 93 ae 8e 77 93 b1 3d 4f 46 46")},
    {"経過時間=ON", hexBytes("8c 6f 89 df 8e 9e 8a d4 3d 4f 4e")},
    {"経過時間=OFF", hexBytes("8c 6f 89 df 8e 9e 8a d4 3d 4f 46 46")},
    {"BGM=ON", "BGM=ON"},
    {"BGM=OFF", "BGM=OFF"},
};

TEST(SettingsFileRoundTrip, DefaultLinesWriteExactlyTheDefaultFile) {
    const auto encoded = encodeSettingsLines(kDefaultLines);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(*encoded, kDefaultBytes);
    ASSERT_EQ(kDefaultBytes.size(), 46u);

    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    ASSERT_TRUE(writeSettingsLines(file, kDefaultLines));
    EXPECT_EQ(readBytes(file), kDefaultBytes);
    EXPECT_EQ(readSettingsLines(file), std::optional<Lines>(kDefaultLines));
}

TEST(SettingsFileRoundTrip, EveryAllowedLineWritesItsBytesAndReadsBack) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    for (const AllowedLine& line : kAllowedLines) {
        SCOPED_TRACE(line.text);
        ASSERT_TRUE(writeSettingsLines(file, {line.text}));
        EXPECT_EQ(readBytes(file), line.cp932 + "\r\n");
        EXPECT_EQ(readSettingsLines(file), std::optional<Lines>(Lines{line.text}));
    }
}

TEST(SettingsFileRoundTrip, OverwritingReplacesTheWholeFile) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, kDefaultBytes + "a much longer leftover tail that must disappear\r\n");
    ASSERT_TRUE(writeSettingsLines(file, {"BGM=OFF"}));
    EXPECT_EQ(readBytes(file), "BGM=OFF\r\n");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST(SettingsFileRoundTrip, NoLinesWriteAnEmptyFile) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    ASSERT_TRUE(writeSettingsLines(file, {}));
    EXPECT_EQ(readBytes(file), "");
    EXPECT_EQ(readSettingsLines(file), std::optional<Lines>(Lines{}));
}

TEST(SettingsFileRoundTrip, UnusualButEncodableLinesReadBackUnchanged) {
    const Lines lines = {"背景画=緑 ", "a\rb", "x\r", ""};
    const auto encoded = encodeSettingsLines(lines);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(decodeSettingsBytes(*encoded), lines);
}

// --- lines the writer refuses ------------------------------------------------------------

struct RefusedCase {
    const char* name;
    std::string line;
};

const RefusedCase kRefusedLines[] = {
    {"Emoji", "背景画=\xF0\x9F\x98\x80"},
    {"ReplacementCharacter", "BGM=" + R},
    {"InvalidUtf8", "BGM=\xFF"},
    {"TruncatedUtf8", "背景画=\xE7\xB7"},
    {"Utf8Surrogate", "\xED\xA0\x80"},
    {"LineFeedInsideLine", "BGM=ON\nBGM=OFF"},
    {"NulInsideLine", std::string("BGM=\0ON", 7)},
    {"LongerThanAnySettingsLine", repeat('x', 257)},
    // CP932 writes these as the bytes of a different character (the full-width ¬ ¢ £ and
    // the wave dash), so the line would read back changed.
    {"NotSignReadsBackFullWidth", "BGM=\xC2\xAC"},
    {"CentSignReadsBackFullWidth", "\xC2\xA2"},
    {"PoundSignReadsBackFullWidth", "x\xC2\xA3y"},
    {"WaveDashReadsBackAsFullWidthTilde", "\xE3\x80\x9C"},
};

void PrintTo(const RefusedCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusedLineTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedLineTest, EncoderRefuses) {
    EXPECT_FALSE(encodeSettingsLines({"BGM=ON", GetParam().line}).has_value());
}

TEST_P(RefusedLineTest, WriterRefusesAndLeavesPreviousFile) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, kDefaultBytes);
    EXPECT_FALSE(writeSettingsLines(file, {"BGM=ON", GetParam().line}));
    EXPECT_EQ(readBytes(file), kDefaultBytes);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST_P(RefusedLineTest, WriterCreatesNothingWhenThereWasNoFile) {
    TempDir dir;
    EXPECT_FALSE(writeSettingsLines(dir.path() / SETTINGS_FILE_NAME, {GetParam().line}));
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, RefusedLineTest, ::testing::ValuesIn(kRefusedLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileEncode, LongestReadableLineIsAccepted) {
    const auto encoded = encodeSettingsLines({repeat('x', 256)});
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(decodeSettingsBytes(*encoded), Lines{repeat('x', 256)});
}

// --- files that are not what the game wrote ----------------------------------------------

TEST(SettingsFileRead, MissingFileGivesNothing) {
    TempDir dir;
    EXPECT_FALSE(readSettingsLines(dir.path() / SETTINGS_FILE_NAME).has_value());
}

TEST(SettingsFileRead, Utf8FileMatchesNoSettingsLine) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
    const auto lines = readSettingsLines(file);
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 4u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NE((*lines)[i], kDefaultLines[i]);
        for (const AllowedLine& allowed : kAllowedLines)
            EXPECT_NE((*lines)[i], allowed.text);
    }
    // Plain ASCII reads the same in both encodings.
    EXPECT_EQ((*lines)[3], "BGM=ON");
}

TEST(SettingsFileRead, FifoIsRefusedWithoutBlocking) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    EXPECT_FALSE(readSettingsLines(file).has_value());
}

// --- large files: only a bounded amount is looked at and kept ----------------------------

struct BoundedRead {
    std::optional<Lines> lines;
    std::size_t allocatedBytes;
    double seconds;
};

BoundedRead readCounting(const fs::path& file) {
    const auto start = std::chrono::steady_clock::now();
    test::AllocationCounter counter;
    BoundedRead result{readSettingsLines(file), 0, 0};
    result.allocatedBytes = counter.bytes();
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// Writes the pattern over and over until the file holds at least size bytes.
void writeRepeated(const fs::path& file, const std::string& head, const std::string& pattern,
                   std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << head;
    std::string block;
    while (block.size() < 64 * 1024)
        block += pattern;
    for (std::size_t written = head.size(); written < size; written += block.size())
        out << block;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

// Far below the size of any of the files below; the reader's own buffer fits well within.
constexpr std::size_t kAllocationLimit = 256 * 1024;
constexpr double kTimeLimitSeconds = 5.0;

TEST(SettingsFileLarge, TenMegabytesOfLinesGiveTheFirstSixteen) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeRepeated(file, kDefaultBytes, "BGM=OFF\r\n", 10'000'000);
    const BoundedRead read = readCounting(file);
    Lines expected = kDefaultLines;
    expected.resize(16, "BGM=OFF");
    EXPECT_EQ(read.lines, std::optional<Lines>(expected));
    EXPECT_LT(read.allocatedBytes, kAllocationLimit);
    EXPECT_LT(read.seconds, kTimeLimitSeconds);
}

TEST(SettingsFileLarge, TenMegabytesWithoutLineEndGiveOneDamagedLine) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeRepeated(file, "", "BGM=ON", 10'000'000);
    const BoundedRead read = readCounting(file);
    ASSERT_TRUE(read.lines.has_value());
    ASSERT_EQ(read.lines->size(), 1u);
    EXPECT_EQ(read.lines->front().substr(0, 6), "BGM=ON");
    EXPECT_EQ(read.lines->front().substr(256), R);
    EXPECT_LT(read.allocatedBytes, kAllocationLimit);
    EXPECT_LT(read.seconds, kTimeLimitSeconds);
}

TEST(SettingsFileLarge, OneMegabyteLineIsSkippedToItsEnd) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, repeat('x', 1 << 20) + "\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
    // The file above is UTF-8; the expected lines are those bytes read as CP932.
    const Lines tail = decodeSettingsBytes("移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
    const BoundedRead read = readCounting(file);
    ASSERT_TRUE(read.lines.has_value());
    ASSERT_EQ(read.lines->size(), 4u);
    EXPECT_EQ((*read.lines)[0], repeat('x', 256) + R);
    EXPECT_EQ(Lines(read.lines->begin() + 1, read.lines->end()), tail);
    EXPECT_EQ((*read.lines)[3], "BGM=ON");
    EXPECT_LT(read.allocatedBytes, kAllocationLimit);
    EXPECT_LT(read.seconds, kTimeLimitSeconds);
}

TEST(SettingsFileLarge, ReadingStopsFourMebibytesIn) {
    constexpr std::size_t kScanLimit = std::size_t{4} << 20;
    // A line running past the limit ends the reading: the lines after it are never reached.
    EXPECT_EQ(decodeSettingsBytes(repeat('x', kScanLimit + 10) + "\r\nBGM=ON\r\n"),
              Lines{repeat('x', 256) + R});
    // A line ending right at the limit is complete; what follows is reported as one unread line.
    EXPECT_EQ(decodeSettingsBytes("BGM=ON\r\n" + repeat('x', kScanLimit - 10) + "\r\nBGM=ON\r\n"),
              (Lines{"BGM=ON", repeat('x', 256) + R, R}));
}

// --- the file system in the way ----------------------------------------------------------

TEST(SettingsFileSystem, DirectoryNamedLikeTheFileIsLeftAlone) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    fs::create_directory(file);
    writeBytes(file / "inside.txt", "keep me");

    EXPECT_FALSE(readSettingsLines(file).has_value());
    EXPECT_FALSE(writeSettingsLines(file, kDefaultLines));

    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(namesIn(file), std::vector<std::string>{"inside.txt"});
    EXPECT_EQ(readBytes(file / "inside.txt"), "keep me");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST(SettingsFileSystem, BareFileNameUsesCurrentDirectory) {
    TempDir dir;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const bool written = writeSettingsLines(SETTINGS_FILE_NAME, kOtherLines);
    const auto lines = readSettingsLines(SETTINGS_FILE_NAME);
    fs::current_path(previous);

    EXPECT_TRUE(written);
    EXPECT_EQ(lines, std::optional<Lines>(kOtherLines));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST(SettingsFileSystem, MissingDirectoryMakesWriteFail) {
    TempDir dir;
    EXPECT_FALSE(writeSettingsLines(dir.path() / "absent" / SETTINGS_FILE_NAME, kDefaultLines));
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST(SettingsFileSystem, ReadOnlyFileIsReplacedAndStaysReadOnly) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, kDefaultBytes);
    fs::permissions(file, fs::perms(0444));

    EXPECT_EQ(readSettingsLines(file), std::optional<Lines>(kDefaultLines));
    ASSERT_TRUE(writeSettingsLines(file, kOtherLines));
    EXPECT_EQ(readSettingsLines(file), std::optional<Lines>(kOtherLines));
    EXPECT_EQ(permissionsOf(file), fs::perms(0444));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST(SettingsFileSystem, NewFileGetsUsualPermissions) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    const mode_t previous = ::umask(022);
    const bool written = writeSettingsLines(file, kDefaultLines);
    ::umask(previous);
    ASSERT_TRUE(written);
    EXPECT_EQ(permissionsOf(file), fs::perms(0644));
}

TEST(SettingsFileSystem, UnreadableFileGivesNothing) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, kDefaultBytes);
    fs::permissions(file, fs::perms::none);

    const int status = runInChild([&] {
        becomeOrdinaryUser();
        return !readSettingsLines(file).has_value();
    });
    if (status == kNoOrdinaryUser) GTEST_SKIP() << kNoOrdinaryUserReason;
    EXPECT_EQ(status, 0) << "a file without read permission must read as missing";
}

TEST(SettingsFileSystem, ReadOnlyDirectoryRefusesWriteAndKeepsPreviousFile) {
    TempDir dir;
    const fs::path locked = dir.path() / "locked";
    fs::create_directory(locked);
    const fs::path file = locked / SETTINGS_FILE_NAME;
    ASSERT_TRUE(writeSettingsLines(file, kDefaultLines));
    fs::permissions(locked, fs::perms(0555));

    const int status = runInChild([&] {
        becomeOrdinaryUser();
        return !writeSettingsLines(file, kOtherLines);
    });
    if (status == kNoOrdinaryUser) GTEST_SKIP() << kNoOrdinaryUserReason;
    EXPECT_EQ(status, 0) << "writing into a read-only directory must fail";
    EXPECT_EQ(readBytes(file), kDefaultBytes);
    EXPECT_EQ(namesIn(locked), std::vector<std::string>{SETTINGS_FILE_NAME});
}

TEST(SettingsFileSystem, WriteFailingHalfWayKeepsPreviousFileAndLeavesNoTemporary) {
    TempDir dir;
    const fs::path file = dir.path() / SETTINGS_FILE_NAME;
    writeBytes(file, kDefaultBytes);

    // A file size limit smaller than the new contents makes the write stop part-way, whoever
    // runs the test.
    const int status = runInChild([&] {
        if (!test::limitFileSize(10)) return false;
        return !writeSettingsLines(file, kOtherLines);
    });
    EXPECT_EQ(status, 0) << "a write cut short must be reported as a failure";
    EXPECT_EQ(readBytes(file), kDefaultBytes);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{SETTINGS_FILE_NAME});
}

}
}
