#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// Name of the settings file, opened in the current directory.
inline constexpr const char* SETTINGS_FILE_NAME = "Quorvel.ini";

// How many lines of the settings file are read: the four option lines, then up to twelve lines
// of the project's own "名前=値" options.
inline constexpr std::size_t SETTINGS_MAX_LINES = 16;

// Reads the settings file: at most its first SETTINGS_MAX_LINES lines, converted from CP932 to
// UTF-8, line ends (CR LF, or a lone LF) removed. A line that is not valid CP932, holds a NUL byte
// or is longer than any settings line could be comes back as text that matches no settings line.
// Returns nothing when the file cannot be opened for reading (missing, a directory, no rights).
std::optional<std::vector<std::string>> readSettingsLines(const std::filesystem::path& file);

// Writes the lines (UTF-8) converted to CP932, each ended by CR LF, replacing the file
// atomically: a new file is written beside it and renamed over it, so a failed write leaves the
// previous file as it was. Returns false on any failure.
bool writeSettingsLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The same over bytes, for tests and the fuzzer.
std::vector<std::string> decodeSettingsBytes(const std::string& bytes);
std::optional<std::string> encodeSettingsLines(const std::vector<std::string>& lines);

}
