#include "storage/game_record.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "file_helpers.h"
#include "ordinary_user.h"
#include "storage/cp932.h"
#include "storage/record_rules.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const std::string kExampleText =
    "#Quorvel 棋譜\n"
    "開始日時：2026/12/08 13:05:00\n"
    "対局：対局(COM) 先手\n"
    "強さ：入門\n"
    "千日手：なし\n"
    "先手：あなた\n"
    "後手：ｺﾝﾋﾟｭｰﾀ\n"
    "手数----指手----消費時間--\n"
    "   1 ▲上   ( 0:03/00:00:03)\n"
    "   2 △左   ( 0:01/00:00:01)\n"
    "まで2手で先手の勝ち\n";

GameRecord exampleRecord() {
    GameRecord record;
    record.startedAt = "2026/12/08 13:05:00";
    record.command = GameCommand::Sente;
    record.level = Level::入門;
    record.sentePlayer = "あなた";
    record.gotePlayer = "ｺﾝﾋﾟｭｰﾀ";
    record.moves = {{Direction::Up, 3, 3, std::nullopt, 0},
                    {Direction::Left, 1, 1, std::nullopt, 0}};
    record.result = resultText(2, true);
    return record;
}

GameRecord parsed(const std::string& text) {
    auto result = parseRecord(text);
    if (auto* error = std::get_if<RecordError>(&result)) {
        ADD_FAILURE() << "refused at line " << error->line << ": " << error->message;
        return {};
    }
    return std::get<GameRecord>(std::move(result));
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::string repeat(const std::string& piece, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
        out += piece;
    return out;
}

// The moves heading and then the moves 1..count, all to the left.
std::string movesText(std::size_t count) {
    std::string text = "手数----指手----消費時間--\n";
    for (std::size_t n = 1; n <= count; ++n)
        text += std::to_string(n) + (n % 2 ? " ▲左\n" : " △左\n");
    return text;
}

TEST(GameRecordFormat, ExampleIsWrittenAndReadExactly) {
    EXPECT_EQ(formatRecord(exampleRecord()), kExampleText);
    const GameRecord read = parsed(kExampleText);
    EXPECT_TRUE(sameGame(read, exampleRecord()));
    ASSERT_EQ(read.moves.size(), 2u);
    EXPECT_EQ(read.moves[0].line, 9);
    EXPECT_EQ(read.moves[1].line, 10);
}

// --- tolerance: every variant reads as the example --------------------------------------

struct Variant {
    const char* name;
    std::string text;
};

const Variant kVariants[] = {
    {"CrLf", replaceAll(kExampleText, "\n", "\r\n")},
    {"HalfWidthColons", replaceAll(kExampleText, "：", ":")},
    {"ByteOrderMark", "\xEF\xBB\xBF" + kExampleText},
    {"NoFinalLineEnd", kExampleText.substr(0, kExampleText.size() - 1)},
    {"UnknownHeadersCommentsBlankLines",
     replaceAll(replaceAll(kExampleText, "強さ：入門\n", "強さ：入門\n手合割：平手\n題名\n\n"),
                "   2 ", "# a comment\n*another comment\n\n   2 ")},
    {"BlanksAroundValuesAndInsideMoves",
     replaceAll(replaceAll(kExampleText, "先手：あなた", "  先手 ：\tあなた  "), "   1 ▲上   ",
                "1\t▲上")},
    {"TimeWithoutPadding", replaceAll(kExampleText, "( 0:03/00:00:03)", "(0:03/0:00:03)")},
    {"StatedResultIsOnlyText", kExampleText + "まで9手で後手の勝ち\n# after\n"},
    {"WithoutTheRepetitionLine", replaceAll(kExampleText, "千日手：なし\n", "")},
    {"HeadersInAnyOrder", replaceAll(kExampleText, "対局：対局(COM) 先手\n強さ：入門\n",
                                     "強さ：入門\n対局：対局(COM) 先手\n")},
};

void PrintTo(const Variant& variant, std::ostream* out) {
    *out << variant.name;
}

class GameRecordVariant : public ::testing::TestWithParam<Variant> {};

TEST_P(GameRecordVariant, ReadsAsTheExample) {
    EXPECT_TRUE(sameGame(parsed(GetParam().text), exampleRecord()));
}

INSTANTIATE_TEST_SUITE_P(Tolerated, GameRecordVariant, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GameRecordRead, TimesAreOptionalAndSwitchesAreRead) {
    const GameRecord record = parsed(
        "*対局：対局(人間) スタート\n"
        "手数----指手----消費時間--\n"
        "   1 ▲下\n"
        "*対局:対局(COM) 後手\n"
        "*対局：対局(COM) 先手\n"
        "   2 △右   ( 1:05/01:02:03)\n"
        "*対局：対局(COM) 後手\n");
    ASSERT_EQ(record.moves.size(), 2u);
    EXPECT_EQ(record.moves[0].direction, Direction::Down);
    EXPECT_EQ(record.moves[0].seconds, std::nullopt);
    EXPECT_EQ(record.moves[0].switchedTo, GameCommand::Start);
    EXPECT_EQ(record.moves[1].switchedTo, GameCommand::Sente);
    EXPECT_EQ(record.moves[1].seconds, 65);
    EXPECT_EQ(record.moves[1].totalSeconds, 3723);
    EXPECT_EQ(record.command, GameCommand::Start);
    EXPECT_TRUE(record.result.empty());
}

// --- strictness: one table of hostile files, each refused at its line -------------------

struct Hostile {
    const char* name;
    std::string bytes;
    int line;  // 0: the file as a whole
    const char* fileName = "record.kifu";
};

const std::string kLongName = repeat("あ", RECORD_MAX_LINE_CHARS - 2);  // "先手：" makes 1001

const Hostile kHostile[] = {
    {"NumberSkipped", movesText(2) + "   4 △左\n", 4},
    {"NumberRepeated", movesText(2) + "   2 △左\n", 4},
    {"FirstMoveNotOne", "   0 ▲左\n", 1},
    {"NumberMissing", "#\n▲左\n", 2},
    {"NumberOverflowing", "99999999999999999999 ▲左\n", 1},
    {"GoteMarkOnOddMove", movesText(2) + "   3 △左\n", 4},
    {"SenteMarkOnEvenMove", movesText(1) + "   2 ▲左\n", 3},
    {"NoMark", "   1 左\n", 1},
    {"UnknownWord", "#\n   1 ▲中\n", 2},
    {"TwoWords", "   1 ▲上下\n", 1},
    {"SecondsOfSixty", "   1 ▲上   ( 0:60/00:00:03)\n", 1},
    {"TimeCutShort", "   1 ▲上   ( 0:03/00:00\n", 1},
    {"TextAfterTime", "   1 ▲上   ( 0:03/00:00:03) 同\n", 1},
    {"MoveAfterResult", movesText(2) + "まで2手で後手の勝ち\n   3 ▲左\n", 5},
    {"UnknownLineAmongMoves", movesText(1) + "上\n", 3},
    {"UnknownCommand", "対局：対局(COM) 中手\n", 1},
    {"UnknownLevel", "強さ：名人\n", 1},
    {"UnknownRepetition", "#\n千日手：たぶん\n", 2},
    {"UnknownSwitch", movesText(1) + "*対局：対局(CPU) 先手\n   2 △左\n", 3},
    {"InvalidUtf8", "先手：\xff\n", 1},
    {"Utf8Surrogate", "#\n#\xED\xA0\x80\n", 2},
    {"InvalidShiftJis", "#\r\n#\x85\x40\r\n", 2, "record.kif"},
    {"LineTooLong", "#\n先手：" + kLongName + "\n", 2},
    {"LineTooLongWithCrLf", "先手：" + kLongName + "\r\n", 1},
    {"TooManyMoves", movesText(RECORD_MAX_MOVES + 1), static_cast<int>(RECORD_MAX_MOVES) + 2},
    {"OwnTimeOverTheLimit", "   1 ▲上   (6000000:00/00:00:03)\n", 1},
    {"TotalOverTheLimit", "   1 ▲上   ( 0:03/100000:00:00)\n", 1},
    {"RunningTimeUnreadable", movesText(1) + "*考慮中：3秒\n", 3},
    {"FileOverOneMebibyte", repeat("#\n", RECORD_MAX_FILE_BYTES / 2) + "\n", 0},
};

void PrintTo(const Hostile& hostile, std::ostream* out) {
    *out << hostile.name;
}

class GameRecordHostile : public ::testing::TestWithParam<Hostile> {};

TEST_P(GameRecordHostile, IsRefusedAtItsLine) {
    TempDir dir;
    const fs::path file = dir.path() / GetParam().fileName;
    test::writeBytes(file, GetParam().bytes);
    const auto result = readRecordFile(file);
    const auto* error = std::get_if<RecordError>(&result);
    ASSERT_NE(error, nullptr) << "accepted";
    EXPECT_EQ(error->line, GetParam().line) << error->message;
    EXPECT_FALSE(error->message.empty());
}

INSTANTIATE_TEST_SUITE_P(Refused, GameRecordHostile, ::testing::ValuesIn(kHostile),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GameRecordRead, LimitsThemselvesAreAccepted) {
    EXPECT_EQ(parsed(movesText(RECORD_MAX_MOVES)).moves.size(), RECORD_MAX_MOVES);
    // A line of the longest length, its CR LF not counted.
    EXPECT_EQ(parsed("先手：" + kLongName.substr(3) + "\r\n").sentePlayer, kLongName.substr(3));
}

// --- round trip over random records ------------------------------------------------------

GameRecord randomRecord(std::mt19937& random) {
    const auto pick = [&](int below) { return static_cast<int>(random() % below); };
    const std::vector<std::string> names = {"", "あなた", "ｺﾝﾋﾟｭｰﾀ", "先手", "A B", "名:前：x"};
    GameRecord record;
    record.startedAt = pick(4) ? "2026/12/0" + std::to_string(1 + pick(9)) + " 13:05:00" : "";
    record.command = static_cast<GameCommand>(pick(3));
    record.level = LEVELS[pick(4)];
    record.sentePlayer = names[pick(names.size())];
    record.gotePlayer = names[pick(names.size())];
    const int count = pick(10) ? pick(40) : pick(RECORD_MAX_MOVES + 1);
    const bool timed = pick(2);
    for (int i = 0; i < count; ++i) {
        RecordedMove move;
        move.direction = static_cast<Direction>(pick(4));
        if (timed && pick(8)) {
            move.seconds = pick(3) ? pick(600) : pick(RECORD_MAX_SECONDS) + 1;
            move.totalSeconds = pick(3) ? pick(100000) : RECORD_MAX_SECONDS - pick(1000);
        }
        if (pick(10) == 0) move.switchedTo = static_cast<GameCommand>(pick(3));
        record.moves.push_back(move);
    }
    if (pick(3) == 0) record.runningSeconds = pick(4000);
    if (pick(2)) record.result = resultText(count, pick(2));
    return record;
}

TEST(GameRecordRoundTrip, RandomRecordsReadBackAsWritten) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        const GameRecord record = randomRecord(random);
        const std::string text = formatRecord(record);
        const GameRecord read = parsed(text);
        ASSERT_TRUE(sameGame(read, record)) << text.substr(0, 2000);
        // Each move names the line it stood on.
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
            end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
        }
        for (std::size_t m = 0; m < read.moves.size(); m += 97) {
            ASSERT_GE(read.moves[m].line, 1);
            EXPECT_EQ(std::stoul(lines.at(read.moves[m].line - 1)), m + 1);
        }
    }
}

TEST(GameRecordRoundTrip, UnwritableValuesAreMadeReadable) {
    GameRecord record = exampleRecord();
    record.sentePlayer = "  first\nsecond\xff" + repeat("x", 2000);
    record.result = "先手の勝ち";
    record.moves[0].seconds = -5;
    record.moves[1].totalSeconds = std::nullopt;
    const GameRecord read = parsed(formatRecord(record));
    EXPECT_EQ(read.sentePlayer.substr(0, 19), "first second\xEF\xBF\xBDxxxx");
    EXPECT_TRUE(read.result.empty());
    EXPECT_EQ(read.moves[0].seconds, 0);
    EXPECT_EQ(read.moves[1].seconds, std::nullopt);
    // Once read, a record is written and read unchanged.
    EXPECT_TRUE(sameGame(parsed(formatRecord(read)), read));
}

// Every time at and around the limits reads back as the writer held it; the reader takes the
// largest time the writer writes and nothing above it.
TEST(GameRecordRoundTrip, TimesAtTheLimitsReadBackAsTheWriterHeldThem) {
    // clang-format off
    const int values[] = {-1, 0, 59, 60, 3599, 3600, RECORD_MAX_SECONDS - 1, RECORD_MAX_SECONDS,
                          RECORD_MAX_SECONDS + 1, std::numeric_limits<int>::max()};
    // clang-format on
    for (const int value : values) {
        GameRecord record = exampleRecord();
        record.moves[0].seconds = record.moves[1].totalSeconds = record.runningSeconds = value;
        const GameRecord read = parsed(formatRecord(record));
        const int held = std::clamp(value, 0, RECORD_MAX_SECONDS);
        EXPECT_EQ(read.moves[0].seconds, held) << value;
        EXPECT_EQ(read.moves[1].totalSeconds, held) << value;
        EXPECT_EQ(read.runningSeconds, held) << value;
    }
    // A running turn's time belongs to the turn after the last move: a move after it drops it.
    EXPECT_EQ(parsed(movesText(1) + "*考慮中：0:07\n2 △左\n").runningSeconds, std::nullopt);
    // The fullest record, every line at its widest, stays within the file limit.
    GameRecord full = exampleRecord();
    full.sentePlayer = full.gotePlayer = kLongName;
    full.moves.assign(RECORD_MAX_MOVES, {Direction::Right, RECORD_MAX_SECONDS, RECORD_MAX_SECONDS,
                                         GameCommand::Sente, 0});
    EXPECT_LT(formatRecord(full).size(), RECORD_MAX_FILE_BYTES);
    EXPECT_EQ(parsed(formatRecord(full)).moves.size(), RECORD_MAX_MOVES);
}

// --- files -------------------------------------------------------------------------------

TEST(GameRecordFile, AFailedWriteNamesTheFileAndTheReason) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder.kifu");
    GameRecord emoji = exampleRecord();
    emoji.gotePlayer = "\xF0\x9F\x98\x80";
    const std::tuple<fs::path, GameRecord, std::string> rows[] = {
        {dir.path() / "missing" / "game.kifu", exampleRecord(), "フォルダがありません"},
        {dir.path() / "folder.kifu", exampleRecord(), "棋譜のファイルではありません"},
        {dir.path() / "emoji.kif", emoji, "Shift-JISで書けない文字があります"}};
    for (const auto& [file, record, reason] : rows) {
        const auto error = writeRecordFile(file, record);
        ASSERT_NE(error, std::nullopt) << file;
        EXPECT_EQ(error->file + " " + error->reason, file.string() + " " + reason);
    }
    EXPECT_EQ(test::namesIn(dir.path()), std::vector<std::string>{"folder.kifu"});
}

RecordError refusal(const fs::path& file) {
    auto result = readRecordFile(file);
    if (auto* error = std::get_if<RecordError>(&result)) return *error;
    ADD_FAILURE() << file << " was accepted";
    return {};
}

TEST(GameRecordFile, WrittenAndReadInBothEncodings) {
    TempDir dir;
    for (const char* name : {"game.kifu", "game.kif", "GAME.KIF"}) {
        SCOPED_TRACE(name);
        const fs::path file = dir.path() / name;
        ASSERT_EQ(writeRecordFile(file, exampleRecord()), std::nullopt);
        const std::string bytes = test::readBytes(file);
        const bool shiftJis = fs::path(name).extension() != ".kifu";
        EXPECT_EQ(bytes, shiftJis ? *cp932::fromUtf8(kExampleText) : kExampleText);
        auto read = readRecordFile(file);
        ASSERT_TRUE(std::holds_alternative<GameRecord>(read));
        EXPECT_TRUE(sameGame(std::get<GameRecord>(read), exampleRecord()));
    }
    // The Shift-JIS bytes are not UTF-8.
    test::writeBytes(dir.path() / "sjis.kifu", *cp932::fromUtf8(kExampleText));
    EXPECT_EQ(refusal(dir.path() / "sjis.kifu").line, 1);
}

TEST(GameRecordFile, OnlyRegularFilesOfAtMostOneMebibyteAreRead) {
    TempDir dir;
    const fs::path fifo = dir.path() / "fifo.kifu";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    for (const fs::path& file :
         {fifo, dir.path(), fs::path("/dev/null"), dir.path() / "missing.kifu"}) {
        SCOPED_TRACE(file);
        // A read that blocked would be ended by the alarm and fail the test.
        const int status = testing::runInChild([&] {
            ::alarm(5);
            const auto result = readRecordFile(file);
            const auto* error = std::get_if<RecordError>(&result);
            return error && error->line == 0 && !error->message.empty();
        });
        EXPECT_EQ(status, 0);
    }
    const fs::path largest = dir.path() / "largest.kifu";
    test::writeBytes(largest, repeat("#\n", RECORD_MAX_FILE_BYTES / 2));
    EXPECT_TRUE(std::holds_alternative<GameRecord>(readRecordFile(largest)));
}

TEST(GameRecordFile, FailedWriteKeepsPreviousFileAndLeavesNoTemporary) {
    TempDir dir;
    const fs::path file = dir.path() / "Quorvel.kifu";
    test::writeBytes(file, kExampleText);
    GameRecord longer = exampleRecord();
    longer.moves.resize(500);

    const int status = testing::runInChild([&] {
        if (!test::limitFileSize(kExampleText.size() + 10)) return false;
        const auto error = writeRecordFile(file, longer);
        return error && error->reason == "ディスクに空きがありません";
    });
    EXPECT_EQ(status, 0) << "a write cut short must be reported as a failure";
    EXPECT_EQ(test::readBytes(file), kExampleText);
    EXPECT_EQ(test::namesIn(dir.path()), std::vector<std::string>{"Quorvel.kifu"});
}

}
}
