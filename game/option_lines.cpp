#include "game/option_lines.h"

namespace quorvel {

namespace {

// The name of a "名前=値" line: what stands before its first '='; nothing for a line without one.
std::optional<std::string_view> nameOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    return line.substr(0, equals);
}

std::string lineOf(std::string_view name, std::string_view value) {
    std::string line(name);
    line += '=';
    line += value;
    return line;
}

}

std::optional<std::string> findOption(const std::vector<std::string>& lines,
                                      std::string_view name) {
    for (const std::string& line : lines) {
        if (nameOf(line) == name) return line.substr(name.size() + 1);
    }
    return std::nullopt;
}

std::string_view meaningOf(const std::optional<std::string>& lineValue, const OptionValue& option) {
    if (lineValue) {
        for (const std::string_view value : option.values) {
            if (value == *lineValue) return value;
        }
    }
    return option.defaultValue;
}

std::vector<std::string> updateOptionLines(std::vector<std::string> lines,
                                           const std::vector<OptionValue>& options) {
    for (const OptionValue& option : options) {
        bool found = false;
        for (std::string& line : lines) {
            if (nameOf(line) != option.name) continue;
            const std::string lineValue = line.substr(option.name.size() + 1);
            if (meaningOf(lineValue, option) != option.value)
                line = lineOf(option.name, option.value);
            found = true;
            break;
        }
        if (!found && option.value != option.defaultValue) {
            lines.push_back(lineOf(option.name, option.value));
        }
    }
    return lines;
}

}
