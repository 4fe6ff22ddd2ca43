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

}

std::string toUtf8(std::string_view bytes) {
    Converter conv("UTF-8", "CP932");
    if (!conv.valid()) return std::string(REPLACEMENT);

    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 8);
    // iconv takes a non-const input pointer but only reads through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result != kFailed) continue;
        if (errno == E2BIG) continue;  // buffer full: flush it and go on
        if (errno == EILSEQ) {
            // Not a CP932 character here: mark it and resume at the next byte.
            out += REPLACEMENT;
            ++in;
            --inLeft;
            conv.reset();
            continue;
        }
        // EINVAL: the bytes end in the middle of a double-byte character.
        out += REPLACEMENT;
        break;
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
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(conv.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == kFailed) {
            if (errno == E2BIG) continue;
            return std::nullopt;  // invalid UTF-8, or a character CP932 lacks
        }
        // A positive count means iconv substituted something it calls irreversible; the text
        // would not read back as written, so refuse it.
        if (result != 0) return std::nullopt;
    }
    return out;
}

}
