// Feeds arbitrary bytes to the settings decoder and checks what it promises:
//  - at most four lines, each valid UTF-8 and of bounded length;
//  - a line without U+FFFD was read faithfully, so the lines encode again and decode back
//    to the same lines; a line with U+FFFD can never be written;
// and, reading the same bytes as UTF-8 lines, that whatever the encoder accepts decodes back
// to what was encoded.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "storage/settings_file.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
// Every byte of the 256 kept can turn into a 3-byte U+FFFD, plus the over-long marker.
constexpr std::size_t kMaxDecodedLineBytes = 256 * 3 + 3;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings_fuzzer: %s\n", what);
    std::abort();
}

// Strict UTF-8: no over-long forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000)) return false;
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
        i += length;
    }
    return true;
}

void checkDecoding(const std::string& bytes) {
    const std::vector<std::string> lines = quorvel::decodeSettingsBytes(bytes);
    if (lines.size() > quorvel::SETTINGS_MAX_LINES) fail("more lines than are read");
    if (bytes.empty() != lines.empty()) fail("lines appeared from nothing or vanished");

    bool damaged = false;
    for (const std::string& line : lines) {
        if (!isValidUtf8(line)) fail("decoded line is not valid UTF-8");
        if (line.size() > kMaxDecodedLineBytes) fail("decoded line longer than the bound");
        if (line.find('\n') != std::string::npos) fail("decoded line holds a line feed");
        if (line.find('\0') != std::string::npos) fail("decoded line holds a NUL");
        if (line.find(kReplacement) != std::string::npos) damaged = true;
    }

    const auto encoded = quorvel::encodeSettingsLines(lines);
    if (damaged) {
        if (encoded) fail("a line holding U+FFFD was encoded");
        return;
    }
    if (!encoded) fail("faithfully decoded lines could not be encoded again");
    if (quorvel::decodeSettingsBytes(*encoded) != lines) fail("re-encoded lines read differently");
}

void checkEncoding(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < quorvel::SETTINGS_MAX_LINES + 2) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }

    const auto isAscii = [](const std::string& line) {
        return std::all_of(line.begin(), line.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    const bool allAscii = std::all_of(lines.begin(), lines.end(), isAscii);
    const auto encoded = quorvel::encodeSettingsLines(lines);
    if (!encoded) {
        // Short lines of plain ASCII without NUL are always writable.
        const bool writable = allAscii && std::all_of(lines.begin(), lines.end(), [](auto& line) {
                                  return line.size() <= 256 && line.find('\0') == std::string::npos;
                              });
        if (writable) fail("plain ASCII lines were refused");
        return;
    }
    if (allAscii) {
        // ASCII is the same in CP932: the bytes are the lines themselves.
        std::string expected;
        for (const std::string& line : lines)
            expected += line + "\r\n";
        if (*encoded != expected) fail("ASCII lines changed in encoding");
    }
    for (const std::string& line : lines) {
        if (!isValidUtf8(line)) fail("invalid UTF-8 was encoded");
        if (line.find('\0') != std::string::npos) fail("a line holding NUL was encoded");
    }
    const std::vector<std::string> readable(
        lines.begin(),
        lines.begin() + std::min<std::size_t>(lines.size(), quorvel::SETTINGS_MAX_LINES));
    if (quorvel::decodeSettingsBytes(*encoded) != readable) fail("encoded lines read differently");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkDecoding(bytes);
    checkEncoding(bytes);
    return 0;
}
