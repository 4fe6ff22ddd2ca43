#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvel {

// The language of every text a player sees. Japanese (日本語) is the default, whatever the system's
// locale.
enum class Language { Japanese = 0, English = 1 };

inline constexpr std::array<Language, 2> LANGUAGES{Language::Japanese, Language::English};

// The language's name as the menu and the settings file write it: "日本語", "English".
constexpr std::string_view languageName(Language language) {
    return language == Language::English ? "English" : "日本語";
}

// The language of an exact name; any other text names none.
constexpr std::optional<Language> languageFromName(std::string_view name) {
    for (const Language language : LANGUAGES) {
        if (languageName(language) == name) return language;
    }
    return std::nullopt;
}

}
