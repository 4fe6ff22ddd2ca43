#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "rules/gravity.h"
#include "rules/level.h"
#include "rules/pieces.h"

namespace quorvel {

// The menu command that started a game, or that switched a running game to another mode. NetSente
// and NetGote start a game against a friend over the network, this machine's player moving first
// or second.
enum class GameCommand { Start, Sente, Gote, NetSente, NetGote };

// "対局(人間) スタート", "対局(COM) 先手", "対局(COM) 後手", "対局(ネット) 先手", "対局(ネット)
// 後手".
std::string_view commandText(GameCommand command);
std::optional<GameCommand> commandFromText(std::string_view text);

struct RecordedMove {
    Direction direction = Direction::Left;
    // The move's own time and the mover's total after it, whole seconds; optional in a file.
    std::optional<int> seconds;
    std::optional<int> totalSeconds;
    // The game was switched to this command's mode just before this move (a "*" comment line).
    std::optional<GameCommand> switchedTo;
    // The line the move stood on in the file it was read from (1-based); 0 when not read.
    int line = 0;
};

// A game record. Move i (0-based) is move number i + 1: ▲ (先手) when i is even, △ (後手) when odd.
struct GameRecord {
    std::string startedAt;                     // 開始日時, "YYYY/MM/DD hh:mm:ss"
    GameCommand command = GameCommand::Start;  // 対局: the command that started the game
    Level level = Level::入門;                 // 強さ
    std::string sentePlayer;  // 先手: e.g. "あなた", "ｺﾝﾋﾟｭｰﾀ", "先手"
    std::string gotePlayer;   // 後手
    // 千日手: whether the game was played with the repetition draw ("あり") or not ("なし", and a
    // record without the line).
    bool repetitionDraw = false;
    std::vector<RecordedMove> moves;
    // The whole seconds the turn after the last move had run when the record was written (the
    // game in progress, rewritten as its clock runs); nothing in a record of moves only.
    std::optional<int> runningSeconds;
    // The result in words, e.g. "まで2手で先手の勝ち"; empty for an unfinished game. Written as
    // the last line; when read it is only a comment (the result comes from replaying the moves).
    std::string result;
    // 対局ID: the id both machines of a network game know it by; empty for any other game.
    std::string gameId{};
    // The side that resigned after the last move (a "*投了：先手" or "*投了：後手" line), SIDE_NONE
    // when nobody did.
    int resignedBy = SIDE_NONE;
};

// Why a record was refused: the 1-based line (0 when it concerns the whole file) and a message
// for the player.
struct RecordError {
    int line = 0;
    std::string message;
};

// Why a record could not be written: the file as it was named and a reason for the player.
struct RecordWriteError {
    std::string file;
    std::string reason;
};

// The words of a result line: "まで<n>手で先手の勝ち" or "まで<n>手で後手の勝ち".
std::string resultText(int moveCount, bool senteWon);
// The words of the result line of a game ended as 千日手: "まで<n>手で千日手".
std::string drawResultText(int moveCount);

// The record as UTF-8 text with LF line ends, in the documented format.
std::string formatRecord(const GameRecord& record);

// Reads the text of a record (UTF-8; CR LF accepted). Strict about moves (numbering, ▲/△,
// direction words, times, at most RECORD_MAX_MOVES moves, lines of at most
// RECORD_MAX_LINE_CHARS characters), tolerant about the rest (unknown headers and comments
// ignored, times optional, either colon in headers).
// It does not replay the moves: that is the game's job, which also refuses moves after a win.
std::variant<GameRecord, RecordError> parseRecord(std::string_view text);

// Reads a record file: only a regular file, never blocking, at most 1 MiB (a larger file is
// refused). A file whose name ends in ".kif" is Shift-JIS (CP932) and converted first; any other
// is UTF-8.
std::variant<GameRecord, RecordError> readRecordFile(const std::filesystem::path& file);

// Writes the record atomically (a temporary file beside it, fsync, rename): a failed write leaves
// the previous file as it was and never a half-written one. Returns nothing on success.
std::optional<RecordWriteError> writeRecordFile(const std::filesystem::path& file,
                                                const GameRecord& record);

}
