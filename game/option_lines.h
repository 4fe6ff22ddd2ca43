#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The settings file's lines after the four option lines hold the project's own options, one
// "名前=値" line each. A file without them means every such option has its default; a line
// that is damaged or names no known option is kept as it stands whenever the file is written.

// An option's current value as the game wants it written, with the values a line may give it.
struct OptionValue {
    std::string_view name;
    std::string_view value;
    std::string_view defaultValue;
    std::span<const std::string_view> values;
};

// The value a line gives the option: the line's value when it is one of the option's values,
// the default otherwise (a damaged line, or no line at all).
std::string_view meaningOf(const std::optional<std::string>& lineValue, const OptionValue& option);

// The value of the first line "name=value" for that name; nothing when no line names it.
std::optional<std::string> findOption(const std::vector<std::string>& lines, std::string_view name);

// The option lines to write: the first line of each option is rewritten when it does not already
// mean the option's current value, an option that no line names is appended in the given order
// unless it has its default value, and every other line (unknown names, damaged lines, later
// lines of the same name) stays exactly as it was.
std::vector<std::string> updateOptionLines(std::vector<std::string> lines,
                                           const std::vector<OptionValue>& options);

}
