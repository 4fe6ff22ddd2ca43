#include "storage/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace quorvel::cp932 {

namespace {

// Owns one iconv conversion descriptor.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

    // Puts the descriptor back to its initial shift state.
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

  private:
    iconv_t cd_;
};

constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

// Why a conversion run ended.
enum class Stop {
    Done,       // all input converted exactly
    Inexact,    // all input converted, but iconv substituted something irreversibly
    Invalid,    // at a sequence the source encoding or the target lacks; `in` points at it
    Truncated,  // the input ends in the middle of a character
};

// Converts from `in` on, appending to out, until the input is used up or a sequence cannot be
// converted; the output goes through a small buffer that is flushed whenever it fills.
Stop convertRun(Converter& conv, char*& in, std::size_t& inLeft, std::string& out) {
    bool inexact = false;
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == kFailed) {
            if (errno == E2BIG) continue;
            return errno == EILSEQ ? Stop::Invalid : Stop::Truncated;
        }
        inexact = inexact || result != 0;
    }
    return inexact ? Stop::Inexact : Stop::Done;
}

}

std::string toUtf8(std::string_view bytes) {
    Converter conv("UTF-8", "CP932");
    if (!conv.valid()) return std::string(REPLACEMENT);

    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 8);
    // iconv takes a non-const input pointer but only reads through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    for (;;) {
        const Stop stop = convertRun(conv, in, inLeft, out);
        if (stop == Stop::Done || stop == Stop::Inexact) break;
        out += REPLACEMENT;
        if (stop == Stop::Truncated) break;
        // Not a CP932 character here: it is marked, and conversion resumes at the next byte.
        ++in;
        --inLeft;
        conv.reset();
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    Converter conv("CP932", "UTF-8");
    if (!conv.valid()) return std::nullopt;

    std::string out;
    out.reserve(text.size());
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    // Invalid UTF-8, a character CP932 lacks, or an irreversible substitution: the text would
    // not read back as written, so it is refused.
    if (convertRun(conv, in, inLeft, out) != Stop::Done) return std::nullopt;
    // glibc's CP932 also maps a few characters onto the code of a look-alike (U+00AC ¬ onto
    // the full-width ¬, U+301C 〜 onto ～) without calling it irreversible; those texts would
    // read back changed, so they are refused too.
    if (toUtf8(out) != text) return std::nullopt;
    return out;
}

}
