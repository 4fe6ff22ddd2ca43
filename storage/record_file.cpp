#include <algorithm>
#include <cctype>

#include "rules/translatable.h"
#include "storage/cp932.h"
#include "storage/file_io.h"
#include "storage/game_record.h"
#include "storage/record_rules.h"

// A file whose name ends in ".kif" (in any case) holds its record in Shift-JIS (CP932), both
// when read and when written; any other holds UTF-8.

namespace quorvel {

namespace {

const std::string kNotARecordFile = QT_TRANSLATE_NOOP("Game", "棋譜のファイルではありません");

bool isShiftJisName(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".kif";
}

RecordError readFailureError(file_io::ReadFailure failure) {
    switch (failure) {
        case file_io::ReadFailure::CannotOpen:
            return {0, QT_TRANSLATE_NOOP("Game", "ファイルを開けません")};
        case file_io::ReadFailure::NotRegular:
            return {0, kNotARecordFile};
        case file_io::ReadFailure::TooLarge:
            return {0, QT_TRANSLATE_NOOP("Game", "ファイルが大きすぎます（1 MiBまで）")};
        case file_io::ReadFailure::ReadError:
            break;
    }
    return {0, QT_TRANSLATE_NOOP("Game", "ファイルを読めません")};
}

std::string writeFailureReason(file_io::WriteFailure failure) {
    switch (failure) {
        case file_io::WriteFailure::NotRegular:
            return kNotARecordFile;
        case file_io::WriteFailure::NoPermission:
            return QT_TRANSLATE_NOOP("Game", "書き込む権限がありません");
        case file_io::WriteFailure::NoRoom:
            return QT_TRANSLATE_NOOP("Game", "ディスクに空きがありません");
        case file_io::WriteFailure::NoFolder:
            return QT_TRANSLATE_NOOP("Game", "フォルダがありません");
        case file_io::WriteFailure::WriteError:
            break;
    }
    return QT_TRANSLATE_NOOP("Game", "ファイルに書き込めません");
}

// The 1-based line of the text at the byte offset.
int lineAt(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

}

std::variant<GameRecord, RecordError> readRecordFile(const std::filesystem::path& file) {
    auto bytes = file_io::readSmallFile(file, RECORD_MAX_FILE_BYTES);
    if (const auto* failure = std::get_if<file_io::ReadFailure>(&bytes)) {
        return readFailureError(*failure);
    }
    const std::string& raw = std::get<std::string>(bytes);
    if (!isShiftJisName(file)) return parseRecord(raw);

    const std::string text = cp932::toUtf8(raw);
    // CP932 has no U+FFFD: where it appears, the bytes were not CP932.
    const std::size_t damaged = text.find(cp932::REPLACEMENT);
    if (damaged != std::string::npos) {
        return RecordError{lineAt(text, damaged),
                           QT_TRANSLATE_NOOP("Game", "Shift-JISとして読めない文字があります")};
    }
    return parseRecord(text);
}

std::optional<RecordWriteError> writeRecordFile(const std::filesystem::path& file,
                                                const GameRecord& record) {
    std::string bytes = formatRecord(record);
    if (isShiftJisName(file)) {
        std::optional<std::string> shiftJis = cp932::fromUtf8(bytes);
        if (!shiftJis) {
            return RecordWriteError{file.string(),
                                    QT_TRANSLATE_NOOP("Game", "Shift-JISで書けない文字があります")};
        }
        bytes = std::move(*shiftJis);
    }
    if (const auto failure = file_io::replaceFileAtomically(file, bytes))
        return RecordWriteError{file.string(), writeFailureReason(*failure)};
    return std::nullopt;
}

}
