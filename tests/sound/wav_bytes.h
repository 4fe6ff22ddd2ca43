#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

// Builds .wav files byte by byte, so tests can make both good files and precisely broken ones.
namespace wavtest {

using Bytes = std::vector<std::uint8_t>;

inline void putU16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

inline void putU32(Bytes& out, std::uint32_t v) {
    putU16(out, v & 0xffff);
    putU16(out, v >> 16);
}

inline std::uint32_t getU32(const Bytes& in, std::size_t at) {
    return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) |
           (static_cast<std::uint32_t>(in[at + 3]) << 24);
}

inline std::uint16_t getU16(const Bytes& in, std::size_t at) {
    return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}

// The fields of a "fmt " chunk. By default block align and byte rate follow from the others.
struct Format {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;
    std::optional<std::uint16_t> blockAlign;
    std::optional<std::uint32_t> byteRate;
    std::uint16_t extraBytes = 0;  // a cbSize field and that many bytes after the 16 PCM bytes

    std::uint16_t frameBytes() const {
        return blockAlign.value_or(static_cast<std::uint16_t>(channels * (bitsPerSample / 8)));
    }
};

inline Bytes formatBody(const Format& f) {
    Bytes body;
    putU16(body, f.formatTag);
    putU16(body, f.channels);
    putU32(body, f.sampleRate);
    putU32(body, f.byteRate.value_or(f.sampleRate * f.frameBytes()));
    putU16(body, f.frameBytes());
    putU16(body, f.bitsPerSample);
    if (f.extraBytes > 0) {
        putU16(body, f.extraBytes);
        body.insert(body.end(), f.extraBytes, 0);
    }
    return body;
}

// A RIFF/WAVE file assembled chunk by chunk. Declared sizes may be overridden to lie.
class RiffBuilder {
  public:
    RiffBuilder& chunk(const std::string& id, const Bytes& body,
                       std::optional<std::uint32_t> declaredSize = {}, bool pad = true) {
        body_.insert(body_.end(), id.begin(), id.end());
        putU32(body_, declaredSize.value_or(static_cast<std::uint32_t>(body.size())));
        body_.insert(body_.end(), body.begin(), body.end());
        if (pad && body.size() % 2 == 1) body_.push_back(0);
        return *this;
    }
    RiffBuilder& raw(const Bytes& bytes) {
        body_.insert(body_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    RiffBuilder& fmt(const Format& f) { return chunk("fmt ", formatBody(f)); }
    RiffBuilder& data(const Bytes& samples) { return chunk("data", samples); }

    // The finished file; the RIFF size is the true one unless overridden.
    Bytes build(std::optional<std::uint32_t> riffSize = {}, const std::string& form = "WAVE",
                const std::string& magic = "RIFF") const {
        Bytes out(magic.begin(), magic.end());
        putU32(out, riffSize.value_or(static_cast<std::uint32_t>(4 + body_.size())));
        out.insert(out.end(), form.begin(), form.end());
        out.insert(out.end(), body_.begin(), body_.end());
        return out;
    }

  private:
    Bytes body_;
};

// Little-endian 16-bit samples of a sine, faded in and out, for `channels` channels.
inline Bytes toneSamples(double seconds, int channels = 1, int sampleRate = 44100,
                         double frequency = 440.0) {
    Bytes out;
    const int frames = static_cast<int>(seconds * sampleRate);
    for (int i = 0; i < frames; ++i) {
        const double edge = std::min({1.0, i / 200.0, (frames - 1 - i) / 200.0});
        const double value =
            0.5 * edge * std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate);
        const auto sample = static_cast<std::int16_t>(std::lround(value * 32767.0));
        for (int c = 0; c < channels; ++c)
            putU16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

// A complete, valid 16-bit PCM file of a tone.
inline Bytes toneWav(double seconds, int channels = 1) {
    Format f;
    f.channels = static_cast<std::uint16_t>(channels);
    return RiffBuilder().fmt(f).data(toneSamples(seconds, channels)).build();
}

}
