#include <utility>

#include "rules/translatable.h"
#include "storage/game_record.h"
#include "storage/record_rules.h"
#include "storage/record_text.h"

// Reading rules (every line is looked at on its own, after the blanks at either end are set
// aside; a line ends at LF, and one CR before the LF belongs to the line end):
//  - Every line must be UTF-8 of at most RECORD_MAX_LINE_CHARS characters. A UTF-8 byte order
//    mark at the very start is skipped.
//  - Blank lines and lines starting with "#" are ignored.
//  - A line starting with "*" is a comment; "*対局：<command>" (either colon) says that the game
//    was switched to that command's mode before the next move. Two such lines before one move:
//    the later counts. One after the last move is ignored. "*考慮中：m:ss" is the time the turn
//    after the last move has run; a move after it makes it the time of no turn. "*投了：先手" or
//    "*投了：後手" says that side resigned after the last move; a move after it undoes it.
//  - Every time is at most RECORD_MAX_SECONDS, in fields no wider than that value needs.
//  - A line whose first character is a digit, ▲ or △ is a move: its number, ▲ (odd) or △
//    (even), the direction word, and optionally "(m:ss/h:mm:ss)". Moves are numbered 1, 2, 3,
//    ... with no gap, at most RECORD_MAX_MOVES of them.
//  - A line starting with "まで" is the result; only the first counts, and no move may follow it.
//  - Before the first move, the result and the moves heading ("手数-..."), a line holding a colon
//    (either) is a header "名前：値". 対局 and 強さ must name a known command and level, 千日手
//    must be あり or なし (a record without it is なし); the other names (開始日時, 先手, 後手)
//    take any value, and so does 対局ID; unknown names are ignored. Other lines there are ignored
//    too.
//  - After them, any other line is refused.

namespace quorvel {

namespace {

using namespace record_text;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

void skipBlanks(std::string_view& text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
}

bool take(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// Takes 1..maxDigits digits; nothing when there are none or too many.
std::optional<int> takeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && isDigit(text[digits])) {
        if (digits == maxDigits) return std::nullopt;
        value = value * 10 + (text[digits] - '0');
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

// Takes exactly two digits of a value below 60.
std::optional<int> takeSixtieths(std::string_view& text) {
    if (text.size() < 2 || !isDigit(text[0]) || !isDigit(text[1])) return std::nullopt;
    const int value = (text[0] - '0') * 10 + (text[1] - '0');
    if (value >= 60) return std::nullopt;
    text.remove_prefix(2);
    return value;
}

// A time of the record's fields, in seconds; nothing above RECORD_MAX_SECONDS, which is the
// largest the writer writes.
std::optional<int> withinLimit(long long seconds) {
    if (seconds > RECORD_MAX_SECONDS) return std::nullopt;
    return static_cast<int>(seconds);
}

// "m:ss": a move's own time or the running turn's.
std::optional<int> takeMinutes(std::string_view& text) {
    const auto minutes = takeNumber(text, RECORD_MAX_MINUTE_DIGITS);
    if (!minutes || !take(text, ":")) return std::nullopt;
    const auto seconds = takeSixtieths(text);
    if (!seconds) return std::nullopt;
    return withinLimit(*minutes * 60LL + *seconds);
}

// "h:mm:ss": a mover's total.
std::optional<int> takeHours(std::string_view& text) {
    const auto hours = takeNumber(text, RECORD_MAX_HOUR_DIGITS);
    if (!hours || !take(text, ":")) return std::nullopt;
    const auto minutes = takeSixtieths(text);
    if (!minutes || !take(text, ":")) return std::nullopt;
    const auto seconds = takeSixtieths(text);
    if (!seconds) return std::nullopt;
    return withinLimit(*hours * 3600LL + *minutes * 60 + *seconds);
}

struct MoveTime {
    int seconds;
    int totalSeconds;
};

// "(m:ss/h:mm:ss)" with blanks allowed inside the parentheses, and nothing after it.
std::optional<MoveTime> parseTime(std::string_view text) {
    if (!take(text, "(")) return std::nullopt;
    skipBlanks(text);
    const auto seconds = takeMinutes(text);
    if (!seconds || !take(text, "/")) return std::nullopt;
    skipBlanks(text);
    const auto total = takeHours(text);
    if (!total) return std::nullopt;
    skipBlanks(text);
    if (!take(text, ")") || !text.empty()) return std::nullopt;
    return MoveTime{*seconds, *total};
}

// The name and value of "名前：値" or "名前:値", split at the first colon of either kind.
std::optional<std::pair<std::string_view, std::string_view>> splitHeader(std::string_view line) {
    const std::size_t full = line.find(FULL_COLON);
    const std::size_t half = line.find(HALF_COLON);
    const std::size_t at = std::min(full, half);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t colonSize = at == full ? FULL_COLON.size() : HALF_COLON.size();
    return std::pair{trim(line.substr(0, at)), trim(line.substr(at + colonSize))};
}

class RecordReader {
  public:
    // Takes the next line (without its line end); returns the error that refuses the record.
    std::optional<RecordError> read(std::string_view line, int number) {
        const auto length = countCharacters(line);
        if (!length)
            return RecordError{number,
                               QT_TRANSLATE_NOOP("Game", "UTF-8として読めない文字があります")};
        if (*length > RECORD_MAX_LINE_CHARS) {
            return RecordError{number,
                               QT_TRANSLATE_NOOP("Game", "行が長すぎます（1,000文字まで）")};
        }
        const std::string_view text = trim(line);
        if (text.empty() || text.starts_with("#")) return std::nullopt;
        if (text.starts_with(SWITCH_MARK)) return readStarComment(text, number);
        if (isDigit(text.front()) || text.starts_with(SENTE_MARK) || text.starts_with(GOTE_MARK)) {
            return readMove(text, number);
        }
        if (text.starts_with(RESULT_START)) {
            if (section_ != Section::AfterResult) record_.result = std::string(text);
            section_ = Section::AfterResult;
            return std::nullopt;
        }
        if (section_ == Section::Header) {
            if (text.starts_with(MOVES_HEADING_START)) {
                section_ = Section::Moves;
                return std::nullopt;
            }
            return readHeader(text, number);
        }
        return RecordError{number, QT_TRANSLATE_NOOP("Game", "棋譜の行として読めません")};
    }

    GameRecord finish() && { return std::move(record_); }

  private:
    enum class Section { Header, Moves, AfterResult };

    std::optional<RecordError> readHeader(std::string_view text, int number) {
        const auto header = splitHeader(text);
        if (!header) return std::nullopt;
        const auto [name, value] = *header;
        if (name == STARTED_AT) {
            record_.startedAt = std::string(value);
        } else if (name == COMMAND) {
            const auto command = commandFromText(value);
            if (!command)
                return RecordError{number, QT_TRANSLATE_NOOP("Game", "対局の種類が読めません")};
            record_.command = *command;
        } else if (name == LEVEL) {
            const auto level = levelFromName(value);
            if (!level) return RecordError{number, QT_TRANSLATE_NOOP("Game", "強さが読めません")};
            record_.level = *level;
        } else if (name == REPETITION) {
            if (value != REPETITION_ON && value != REPETITION_OFF)
                return RecordError{number, QT_TRANSLATE_NOOP("Game", "千日手の有無が読めません")};
            record_.repetitionDraw = value == REPETITION_ON;
        } else if (name == SENTE) {
            record_.sentePlayer = std::string(value);
        } else if (name == GOTE) {
            record_.gotePlayer = std::string(value);
        } else if (name == GAME_ID) {
            record_.gameId = std::string(value);
        }
        return std::nullopt;
    }

    std::optional<RecordError> readStarComment(std::string_view text, int number) {
        text.remove_prefix(SWITCH_MARK.size());
        const auto header = splitHeader(text);
        if (header && header->first == RUNNING_TURN) {
            std::string_view value = header->second;
            const auto seconds = takeMinutes(value);
            if (!seconds || !value.empty()) return timeError(number);
            record_.runningSeconds = seconds;
            return std::nullopt;
        }
        if (header && header->first == RESIGNED) {
            if (header->second != SENTE && header->second != GOTE)
                return RecordError{number, QT_TRANSLATE_NOOP("Game", "投了した側が読めません")};
            record_.resignedBy = header->second == SENTE ? SIDE_SENTE : SIDE_GOTE;
            return std::nullopt;
        }
        if (!header || header->first != COMMAND) return std::nullopt;
        const auto command = commandFromText(header->second);
        if (!command)
            return RecordError{number, QT_TRANSLATE_NOOP("Game", "対局の種類が読めません")};
        pendingSwitch_ = command;
        return std::nullopt;
    }

    std::optional<RecordError> readMove(std::string_view text, int number) {
        if (section_ == Section::AfterResult) {
            return RecordError{number, QT_TRANSLATE_NOOP("Game", "結果の行の後に指し手があります")};
        }
        section_ = Section::Moves;
        if (record_.moves.size() >= RECORD_MAX_MOVES) {
            return RecordError{number,
                               QT_TRANSLATE_NOOP("Game", "指し手が多すぎます（10,000手まで）")};
        }
        const int expected = static_cast<int>(record_.moves.size()) + 1;
        const auto moveNumber = takeNumber(text, RECORD_MAX_NUMBER_DIGITS);
        if (!moveNumber || *moveNumber != expected) {
            std::string message =
                QT_TRANSLATE_NOOP("Game", "手数が順番どおりではありません（%1手目のはずです）");
            message.replace(message.find("%1"), 2, std::to_string(expected));
            return RecordError{number, std::move(message)};
        }
        skipBlanks(text);
        const bool sente = take(text, SENTE_MARK);
        if (!sente && !take(text, GOTE_MARK))
            return RecordError{number, QT_TRANSLATE_NOOP("Game", "▲か△がありません")};
        if (sente != (expected % 2 == 1)) {
            return RecordError{number,
                               expected % 2 == 1
                                   ? QT_TRANSLATE_NOOP("Game", "先手の手なのに△になっています")
                                   : QT_TRANSLATE_NOOP("Game", "後手の手なのに▲になっています")};
        }
        const std::size_t wordEnd = text.find_first_of(" \t(");
        const auto direction = directionFromWord(text.substr(0, wordEnd));
        if (!direction)
            return RecordError{
                number, QT_TRANSLATE_NOOP("Game", "指し手が上・下・左・右のどれでもありません")};
        text.remove_prefix(wordEnd == std::string_view::npos ? text.size() : wordEnd);
        skipBlanks(text);

        RecordedMove move;
        move.direction = *direction;
        if (!text.empty()) {
            const auto time = parseTime(text);
            if (!time) return timeError(number);
            move.seconds = time->seconds;
            move.totalSeconds = time->totalSeconds;
        }
        move.switchedTo = std::exchange(pendingSwitch_, std::nullopt);
        move.line = number;
        record_.moves.push_back(move);
        // A running turn's time and a resignation belong to the turn after the last move.
        record_.runningSeconds.reset();
        record_.resignedBy = SIDE_NONE;
        return std::nullopt;
    }

    static RecordError timeError(int number) {
        return RecordError{number, QT_TRANSLATE_NOOP("Game", "消費時間が読めません")};
    }

    GameRecord record_;
    Section section_ = Section::Header;
    std::optional<GameCommand> pendingSwitch_;
};

}

std::variant<GameRecord, RecordError> parseRecord(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    RecordReader reader;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        if (auto error = reader.read(line, number)) return *std::move(error);
    }
    return std::move(reader).finish();
}

}
