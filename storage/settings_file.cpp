#include "storage/settings_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <utility>

#include "storage/cp932.h"
#include "storage/file_io.h"
#include "storage/regular_file.h"

// Reading rules, shared by readSettingsLines and decodeSettingsBytes:
//  - A line ends at LF; one CR right before the LF is part of the line end. A CR anywhere else
//    (including at the very end of the input) is kept as text. A last line without a line end still
//    counts; an empty input has no lines.
//  - Only the first SETTINGS_MAX_LINES lines are read (the four option lines and the project's
//    own option lines after them); nothing after the last of them is looked at.
//  - A line is decoded from CP932 to UTF-8. A line that cannot be taken faithfully comes back
//    holding U+FFFD, which no settings line contains and which CP932 cannot encode:
//      * an invalid CP932 byte becomes U+FFFD, the valid bytes around it are decoded;
//      * a NUL byte becomes U+FFFD;
//      * a line longer than kMaxLineBytes keeps its first kMaxLineBytes bytes (decoded) and
//        gains a U+FFFD at the end; the rest of the line is skipped without being stored.
//  - After kMaxScanBytes bytes the input is abandoned: the line being read ends there as an
//    over-long one and no further lines are read. Memory use never depends on the input size.

namespace quorvel {

namespace {

constexpr std::size_t kMaxLines = SETTINGS_MAX_LINES;
// The longest settings line is 15 bytes; anything past this is certainly not one of them.
constexpr std::size_t kMaxLineBytes = 256;
// How far into a file the reader looks for the end of its lines.
constexpr std::size_t kMaxScanBytes = std::size_t{4} << 20;

std::string decodeLine(std::string_view raw, bool overlong) {
    std::string text = cp932::toUtf8(raw);
    // CP932 maps byte 0 to U+0000, and only U+0000 yields a 0 byte in UTF-8.
    for (std::size_t pos = text.find('\0'); pos != std::string::npos; pos = text.find('\0', pos)) {
        text.replace(pos, 1, cp932::REPLACEMENT);
        pos += cp932::REPLACEMENT.size();
    }
    if (overlong) text += cp932::REPLACEMENT;
    return text;
}

// Splits a byte stream, fed in pieces, into at most kMaxLines decoded lines.
class LineSplitter {
  public:
    // Takes the next piece of input. Returns false once no more input is wanted.
    bool feed(std::string_view piece) {
        while (!piece.empty() && wantsMore()) {
            if (scanned_ == kMaxScanBytes) {
                // Give up on this input: the line it is in (even one not yet started) cannot be
                // a settings line.
                overlong_ = true;
                endLine(false);
                abandoned_ = true;
                break;
            }
            const std::string_view part = piece.substr(0, kMaxScanBytes - scanned_);
            const void* found = std::memchr(part.data(), '\n', part.size());
            const std::size_t take =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - part.data())
                      : part.size();
            append(part.substr(0, take));
            const std::size_t consumed = take + (found ? 1 : 0);
            scanned_ += consumed;
            piece.remove_prefix(consumed);
            if (found) endLine(true);
        }
        return wantsMore();
    }

    // Ends the input and returns the lines read.
    std::vector<std::string> finish() && {
        if (wantsMore() && inLine_) endLine(false);
        return std::move(lines_);
    }

  private:
    bool wantsMore() const { return !abandoned_ && lines_.size() < kMaxLines; }

    void append(std::string_view bytes) {
        if (bytes.empty()) return;
        inLine_ = true;
        // One byte beyond the limit is kept so that a CR ending a full-length line still fits.
        const std::size_t room = kMaxLineBytes + 1 - current_.size();
        if (bytes.size() > room) {
            overlong_ = true;
            bytes = bytes.substr(0, room);
        }
        current_.append(bytes);
    }

    // Closes the current line; atLineFeed tells whether an LF ended it (a CR counts as part of
    // the line end only right before an LF).
    void endLine(bool atLineFeed) {
        if (atLineFeed && !overlong_ && !current_.empty() && current_.back() == '\r') {
            current_.pop_back();
        }
        if (current_.size() > kMaxLineBytes) overlong_ = true;
        const std::string_view kept = std::string_view(current_).substr(0, kMaxLineBytes);
        lines_.push_back(decodeLine(kept, overlong_));
        current_.clear();
        overlong_ = false;
        inLine_ = false;
    }

    std::vector<std::string> lines_;
    std::string current_;
    bool inLine_ = false;
    bool overlong_ = false;
    bool abandoned_ = false;
    std::size_t scanned_ = 0;
};

}

std::vector<std::string> decodeSettingsBytes(const std::string& bytes) {
    LineSplitter splitter;
    splitter.feed(bytes);
    return std::move(splitter).finish();
}

std::optional<std::string> encodeSettingsLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        // A line holding a line end or a NUL would not read back as the same line.
        if (line.find_first_of(std::string_view("\n\0", 2)) != std::string::npos) {
            return std::nullopt;
        }
        std::optional<std::string> bytes = cp932::fromUtf8(line);
        if (!bytes || bytes->size() > kMaxLineBytes) return std::nullopt;
        out += *bytes;
        out += "\r\n";
    }
    return out;
}

std::optional<std::vector<std::string>> readSettingsLines(const std::filesystem::path& file) {
    // Only a regular file is read, and at most the size it had when opened: a FIFO, a device or
    // a directory of that name reads as no file, and a file growing meanwhile cannot keep us.
    RegularFile source;
    if (source.open(file) != 0) return std::nullopt;
    // One byte past the scan limit lets the splitter see that the input goes on beyond it.
    std::size_t left = std::min(source.sizeAtOpen(), kMaxScanBytes + 1);

    LineSplitter splitter;
    std::string buffer(std::min<std::size_t>(left, 64 * 1024), '\0');
    while (left > 0) {
        const long got = source.readSome(buffer.data(), std::min(buffer.size(), left));
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        left -= static_cast<std::size_t>(got);
        if (!splitter.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
            break;
        }
    }
    return std::move(splitter).finish();
}

// Writing rules:
//  - Every line must convert to CP932 (and be short enough to read back); otherwise nothing is
//    written at all.
//  - The bytes go to a new file beside the target, are flushed to disk, and the new file is
//    renamed over the target. Any failure removes the new file and leaves the target as it was.
//  - A target that exists but is not a regular file (a directory named Quorvel.ini, say) is left
//    alone and the write fails.
//  - A read-only target in a writable directory is replaced: POSIX lets a rename replace a file
//    whose own permissions forbid writing. The replacement keeps the old file's permission bits.
//  - A directory that does not let us create a file makes the write fail.
//  - A symbolic link named like the target is replaced by a regular file.
bool writeSettingsLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    const std::optional<std::string> bytes = encodeSettingsLines(lines);
    return bytes && !file_io::replaceFileAtomically(file, *bytes);
}

}
