#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between CP932 (the Windows flavour of Shift-JIS) and UTF-8, done by the C
// library's iconv. CP932 rather than plain SHIFT_JIS because the latter refuses characters
// such as the NEC and IBM extension kanji that CP932 files routinely hold.
namespace quorvel::cp932 {

// The UTF-8 encoding of U+FFFD REPLACEMENT CHARACTER. CP932 has no such character, so it never
// comes out of a faithful conversion and a text holding it can never be written back.
inline constexpr std::string_view REPLACEMENT = "\xEF\xBF\xBD";

// Converts CP932 bytes to UTF-8. Each byte that does not start a valid CP932 character becomes
// U+FFFD, and an incomplete double-byte character at the end becomes one U+FFFD; the rest is
// converted as usual. Should iconv have no CP932 converter at all, the whole text comes back as
// a single U+FFFD. The result is always valid UTF-8.
std::string toUtf8(std::string_view bytes);

// Converts UTF-8 text to CP932. Returns nothing when the text is not valid UTF-8 or holds a
// character CP932 cannot represent (including U+FFFD), or when the bytes would not convert
// back to exactly this text.
std::optional<std::string> fromUtf8(std::string_view text);

}
