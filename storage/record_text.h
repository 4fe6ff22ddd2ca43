#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// Pieces of the record text shared by its writer and its reader.
namespace quorvel::record_text {

inline constexpr std::string_view FIRST_LINE = "#Quorvel 棋譜";
inline constexpr std::string_view MOVES_HEADING = "手数----指手----消費時間--";
// The moves section starts at a line beginning with this.
inline constexpr std::string_view MOVES_HEADING_START = "手数-";
inline constexpr std::string_view RESULT_START = "まで";
inline constexpr std::string_view SENTE_MARK = "▲";
inline constexpr std::string_view GOTE_MARK = "△";
inline constexpr std::string_view FULL_COLON = "：";
inline constexpr std::string_view HALF_COLON = ":";
inline constexpr std::string_view SWITCH_MARK = "*";

inline constexpr std::string_view STARTED_AT = "開始日時";
inline constexpr std::string_view COMMAND = "対局";
inline constexpr std::string_view LEVEL = "強さ";
inline constexpr std::string_view SENTE = "先手";
inline constexpr std::string_view GOTE = "後手";
// "千日手：あり" or "千日手：なし": whether the game was played with the repetition draw.
inline constexpr std::string_view REPETITION = "千日手";
inline constexpr std::string_view REPETITION_ON = "あり";
inline constexpr std::string_view REPETITION_OFF = "なし";
// "対局ID：<id>": the id of a network game.
inline constexpr std::string_view GAME_ID = "対局ID";
// "*投了：先手" or "*投了：後手" after the moves: that side resigned.
inline constexpr std::string_view RESIGNED = "投了";
// "*考慮中：m:ss" after the moves: the time the turn in progress has run.
inline constexpr std::string_view RUNNING_TURN = "考慮中";

// The byte length of the UTF-8 character starting at text[at], or 0 when no valid character
// starts there (strict: no over-long forms, no surrogates, nothing above U+10FFFF).
std::size_t characterLength(std::string_view text, std::size_t at);

// The number of characters of a valid UTF-8 text; nothing when it is not valid UTF-8.
std::optional<std::size_t> countCharacters(std::string_view text);

// The text without the spaces, tabs and carriage returns at either end.
std::string_view trim(std::string_view text);

}
