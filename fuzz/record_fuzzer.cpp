// Feeds arbitrary bytes to the game record reader and checks what it promises:
//  - it never crashes, and a refusal names a line within the text with a message;
//  - an accepted record holds at most the allowed moves, each on a line of the text, and only
//    times the writer can write; it is written and read back as the same game, the second
//    writing giving the same text;
// and, building a record of arbitrary values from the same bytes, that whatever the writer
// writes the reader takes back.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "storage/game_record.h"
#include "storage/record_rules.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "record_fuzzer: %s\n", what);
    std::abort();
}

// Lines as the reader counts them: a last line without a line end counts too.
int lineCount(std::string_view text) {
    int count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const std::size_t end = text.find('\n', at);
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
    return count;
}

const quorvel::GameRecord& accepted(
    const std::variant<quorvel::GameRecord, quorvel::RecordError>& result, const char* what) {
    if (const auto* error = std::get_if<quorvel::RecordError>(&result)) {
        std::fprintf(stderr, "line %d: %s\n", error->line, error->message.c_str());
        fail(what);
    }
    return std::get<quorvel::GameRecord>(result);
}

// A written record reads back as the same game, and writing that again changes nothing.
void checkRoundTrip(const quorvel::GameRecord& record, bool exact) {
    const std::string text = quorvel::formatRecord(record);
    const auto again = quorvel::parseRecord(text);
    const quorvel::GameRecord& read = accepted(again, "a written record was refused");
    if (exact && !quorvel::sameGame(read, record)) fail("a read record read back differently");
    if (read.moves.size() != record.moves.size()) fail("moves were lost in writing");
    if (quorvel::formatRecord(read) != text) fail("writing a read record again changed it");
}

// A time the writer writes as it is: none, or 0..RECORD_MAX_SECONDS.
bool writable(const std::optional<int>& seconds) {
    return !seconds || (*seconds >= 0 && *seconds <= quorvel::RECORD_MAX_SECONDS);
}

void checkReading(std::string_view text) {
    const auto result = quorvel::parseRecord(text);
    if (const auto* error = std::get_if<quorvel::RecordError>(&result)) {
        if (error->line < 0 || error->line > lineCount(text)) fail("error names no line");
        if (error->message.empty()) fail("error without a message");
        return;
    }
    const quorvel::GameRecord& record = std::get<quorvel::GameRecord>(result);
    if (record.moves.size() > quorvel::RECORD_MAX_MOVES) fail("too many moves accepted");
    int previous = 0;
    for (const quorvel::RecordedMove& move : record.moves) {
        if (move.line <= previous || move.line > lineCount(text)) fail("move on no line");
        if (!writable(move.seconds) || !writable(move.totalSeconds)) fail("unwritable time read");
        previous = move.line;
    }
    if (!writable(record.runningSeconds)) fail("unwritable running time read");
    checkRoundTrip(record, true);
}

std::optional<int> fuzzedSeconds(FuzzedDataProvider& data) {
    if (!data.ConsumeBool()) return std::nullopt;
    return data.ConsumeIntegral<int>();
}

void checkWriting(FuzzedDataProvider& data) {
    quorvel::GameRecord record;
    record.startedAt = data.ConsumeRandomLengthString(2000);
    record.command = static_cast<quorvel::GameCommand>(data.ConsumeIntegralInRange(0, 2));
    record.level = quorvel::LEVELS[data.ConsumeIntegralInRange<std::size_t>(0, 3)];
    record.sentePlayer = data.ConsumeRandomLengthString(2000);
    record.gotePlayer = data.ConsumeRandomLengthString(2000);
    record.result = data.ConsumeRandomLengthString(2000);
    record.runningSeconds = fuzzedSeconds(data);
    const std::size_t moves = data.ConsumeIntegralInRange<std::size_t>(0, 64);
    for (std::size_t i = 0; i < moves; ++i) {
        quorvel::RecordedMove move;
        move.direction = static_cast<quorvel::Direction>(data.ConsumeIntegralInRange(0, 3));
        move.seconds = fuzzedSeconds(data);
        move.totalSeconds = fuzzedSeconds(data);
        if (data.ConsumeBool()) {
            move.switchedTo = static_cast<quorvel::GameCommand>(data.ConsumeIntegralInRange(0, 2));
        }
        record.moves.push_back(move);
    }
    checkRoundTrip(record, false);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkReading(std::string_view(reinterpret_cast<const char*>(data), size));
    FuzzedDataProvider provider(data, size);
    checkWriting(provider);
    return 0;
}
