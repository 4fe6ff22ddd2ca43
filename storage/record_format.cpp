#include <algorithm>
#include <array>
#include <cstdio>

#include "storage/game_record.h"
#include "storage/record_rules.h"
#include "storage/record_text.h"

// Writing rules:
//  - The first line is "#Quorvel 棋譜"; then the header lines 開始日時, 対局, 強さ, 千日手, 先手,
//  後手
//    with the full-width colon (開始日時 and the names only when their value is not empty); then
//    the moves heading, the moves, and the result line when there is one.
//  - A header value or result loses its line feeds (each becomes a space), the blanks at either
//    end, any byte that is not UTF-8 (each becomes U+FFFD) and whatever would make its line
//    longer than a record line may be. A value read from a record never changes this way, so
//    a record read and written again reads back the same.
//  - A result that does not start with "まで" is not written: the reader would not take it.
//  - A move's time is written only when both its own time and the total are known, each held
//    to 0..RECORD_MAX_SECONDS.
//  - 対局ID follows 後手 when the record has an id (a network game).
//  - A switch of mode before a move is the line "*対局：<command>" right before that move.
//  - A resignation is the line "*投了：先手" or "*投了：後手" after the moves.
//  - The running turn's time, when the record has one, is the line "*考慮中：m:ss" after the
//    moves and before the result, held to 0..RECORD_MAX_SECONDS like a move's own time.

namespace quorvel {

namespace {

using namespace record_text;

constexpr std::array<std::string_view, 5> kCommandTexts{"対局(人間) スタート", "対局(COM) 先手",
                                                        "対局(COM) 後手", "対局(ネット) 先手",
                                                        "対局(ネット) 後手"};
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The value as it can stand on a line of at most maxChars characters.
std::string cleanValue(std::string_view value, std::size_t maxChars) {
    std::string valid;
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t length = characterLength(value, at);
        if (length == 0) {
            valid += kReplacement;
            ++at;
        } else {
            valid.append(value.substr(at, length));
            at += length;
        }
    }
    std::replace(valid.begin(), valid.end(), '\n', ' ');
    const std::string_view text = trim(valid);
    std::size_t end = 0;
    for (std::size_t count = 0; end < text.size() && count < maxChars; ++count)
        end += characterLength(text, end);
    return std::string(trim(text.substr(0, end)));
}

// Adds the header line; one whose value is empty (or becomes empty) only when `always`.
void addHeader(std::string& out, std::string_view name, std::string_view value,
               bool always = false) {
    // The name and the colon are characters of the line too.
    const std::size_t room = RECORD_MAX_LINE_CHARS - *countCharacters(name) - 1;
    const std::string clean = cleanValue(value, room);
    if (clean.empty() && !always) return;
    out.append(name).append(FULL_COLON).append(clean).append("\n");
}

// "m:ss", the minutes growing to as many digits as they need.
void addMinutes(std::string& out, int seconds, bool padded) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, padded ? "%2d:%02d" : "%d:%02d", seconds / 60,
                  seconds % 60);
    out += buffer;
}

void addMove(std::string& out, int number, const RecordedMove& move) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%4d ", number);
    out += buffer;
    out.append(number % 2 == 1 ? SENTE_MARK : GOTE_MARK).append(wordOf(move.direction));
    if (move.seconds && move.totalSeconds) {
        const int total = recordSeconds(*move.totalSeconds);
        out += "   (";
        addMinutes(out, recordSeconds(*move.seconds), true);
        std::snprintf(buffer, sizeof buffer, "/%02d:%02d:%02d)", total / 3600, total / 60 % 60,
                      total % 60);
        out += buffer;
    }
    out += '\n';
}

}

std::string_view commandText(GameCommand command) {
    const auto index = static_cast<std::size_t>(command);
    return index < kCommandTexts.size() ? kCommandTexts[index] : std::string_view();
}

std::optional<GameCommand> commandFromText(std::string_view text) {
    for (std::size_t index = 0; index < kCommandTexts.size(); ++index) {
        if (kCommandTexts[index] == text) return static_cast<GameCommand>(index);
    }
    return std::nullopt;
}

std::string resultText(int moveCount, bool senteWon) {
    return std::string(RESULT_START) + std::to_string(moveCount) + "手で" +
           std::string(senteWon ? SENTE : GOTE) + "の勝ち";
}

std::string drawResultText(int moveCount) {
    return std::string(RESULT_START) + std::to_string(moveCount) + "手で" + std::string(REPETITION);
}

std::string formatRecord(const GameRecord& record) {
    std::string out;
    out.append(FIRST_LINE).append("\n");
    addHeader(out, STARTED_AT, record.startedAt);
    addHeader(out, COMMAND, commandText(record.command), true);
    addHeader(out, LEVEL, levelName(record.level), true);
    addHeader(out, REPETITION, record.repetitionDraw ? REPETITION_ON : REPETITION_OFF, true);
    addHeader(out, SENTE, record.sentePlayer);
    addHeader(out, GOTE, record.gotePlayer);
    addHeader(out, GAME_ID, record.gameId);
    out.append(MOVES_HEADING).append("\n");
    for (std::size_t i = 0; i < record.moves.size(); ++i) {
        const RecordedMove& move = record.moves[i];
        if (move.switchedTo) {
            out.append(SWITCH_MARK).append(COMMAND).append(FULL_COLON);
            out.append(commandText(*move.switchedTo)).append("\n");
        }
        addMove(out, static_cast<int>(i + 1), move);
    }
    if (record.resignedBy != SIDE_NONE) {
        out.append(SWITCH_MARK).append(RESIGNED).append(FULL_COLON);
        out.append(record.resignedBy == SIDE_SENTE ? SENTE : GOTE).append("\n");
    }
    if (record.runningSeconds) {
        out.append(SWITCH_MARK).append(RUNNING_TURN).append(FULL_COLON);
        addMinutes(out, recordSeconds(*record.runningSeconds), false);
        out += '\n';
    }
    const std::string result = cleanValue(record.result, RECORD_MAX_LINE_CHARS);
    if (result.starts_with(RESULT_START)) out.append(result).append("\n");
    return out;
}

bool sameGame(const GameRecord& a, const GameRecord& b) {
    const auto sameMove = [](const RecordedMove& x, const RecordedMove& y) {
        return x.direction == y.direction && x.seconds == y.seconds &&
               x.totalSeconds == y.totalSeconds && x.switchedTo == y.switchedTo;
    };
    return a.startedAt == b.startedAt && a.command == b.command && a.level == b.level &&
           a.repetitionDraw == b.repetitionDraw && a.sentePlayer == b.sentePlayer &&
           a.gotePlayer == b.gotePlayer && a.gameId == b.gameId && a.result == b.result &&
           a.resignedBy == b.resignedBy && a.runningSeconds == b.runningSeconds &&
           std::equal(a.moves.begin(), a.moves.end(), b.moves.begin(), b.moves.end(), sameMove);
}

}
