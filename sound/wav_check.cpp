#include "sound/wav_check.h"

#include <cstring>

// Plain C++ with no dependency on SDL, so the check can be compiled and fuzzed on its own.
//
// Accepted layout:
//   "RIFF" <size of what follows, 4 bytes LE> "WAVE"
//   then chunks: <4-byte id> <4-byte LE size> <size bytes> [one pad byte when size is odd]
// Exactly one "fmt " chunk, describing plain PCM, must come before exactly one non-empty "data"
// chunk; other chunks ("LIST", "fact", ...) are skipped. Every chunk must lie entirely within
// the RIFF form, and the RIFF form entirely within the block.

namespace {

constexpr std::size_t riffHeaderSize = 12;  // "RIFF", form size, "WAVE"
constexpr std::size_t chunkHeaderSize = 8;  // id, size
constexpr std::size_t pcmFormatSize = 16;   // the fields of a plain PCM "fmt " chunk

constexpr std::uint16_t formatPcm = 1;
constexpr std::uint32_t lowestSampleRate = 8000;
constexpr std::uint32_t highestSampleRate = 192000;

std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool hasId(const std::uint8_t* p, const char (&id)[5]) {
    return std::memcmp(p, id, 4) == 0;
}

// The fields of a "fmt " chunk that the decoder relies on.
struct PcmFormat {
    std::uint16_t formatTag;
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint32_t byteRate;
    std::uint16_t blockAlign;
    std::uint16_t bitsPerSample;
};

PcmFormat readFormat(const std::uint8_t* body) {
    return PcmFormat{readU16(body),     readU16(body + 2),  readU32(body + 4),
                     readU32(body + 8), readU16(body + 12), readU16(body + 14)};
}

bool isPlausiblePcm(const PcmFormat& f) {
    if (f.formatTag != formatPcm) return false;  // ADPCM, float, extensible... are refused
    if (f.channels < 1 || f.channels > 2) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.sampleRate < lowestSampleRate || f.sampleRate > highestSampleRate) return false;
    const std::uint32_t frameBytes = f.channels * (f.bitsPerSample / 8u);
    return f.blockAlign == frameBytes && f.byteRate == f.sampleRate * frameBytes;
}

}

std::optional<WavLayout> inspectWavHeaders(const WavReader& read, std::uint64_t size) {
    std::uint8_t riff[riffHeaderSize];
    if (size < riffHeaderSize || !read(0, riffHeaderSize, riff)) return std::nullopt;
    if (!hasId(riff, "RIFF") || !hasId(riff + 8, "WAVE")) return std::nullopt;

    // 64-bit arithmetic throughout so that no declared size can wrap an offset around.
    const std::uint64_t formEnd = std::uint64_t{chunkHeaderSize} + readU32(riff + 4);
    if (formEnd > size) return std::nullopt;

    bool formatSeen = false;
    bool dataSeen = false;
    std::uint16_t frameBytes = 0;
    WavLayout layout{};

    std::uint64_t offset = riffHeaderSize;
    while (offset < formEnd) {
        if (formEnd - offset < chunkHeaderSize) return std::nullopt;  // a partial chunk header
        std::uint8_t header[chunkHeaderSize];
        if (!read(offset, chunkHeaderSize, header)) return std::nullopt;
        const std::uint32_t bodySize = readU32(header + 4);
        const std::uint64_t bodyStart = offset + chunkHeaderSize;
        if (bodySize > formEnd - bodyStart) return std::nullopt;

        if (hasId(header, "fmt ")) {
            // A second format, or one after the data.
            if (formatSeen || dataSeen) return std::nullopt;
            if (bodySize < pcmFormatSize) return std::nullopt;
            std::uint8_t body[pcmFormatSize];
            if (!read(bodyStart, pcmFormatSize, body)) return std::nullopt;
            const PcmFormat format = readFormat(body);
            if (!isPlausiblePcm(format)) return std::nullopt;
            frameBytes = format.blockAlign;
            layout.channels = format.channels;
            layout.sampleRate = format.sampleRate;
            layout.bitsPerSample = format.bitsPerSample;
            formatSeen = true;
        } else if (hasId(header, "data")) {
            // Samples of unknown format, or a second set.
            if (!formatSeen || dataSeen) return std::nullopt;
            if (bodySize == 0 || bodySize % frameBytes != 0) return std::nullopt;
            layout.dataOffset = static_cast<std::size_t>(bodyStart);
            layout.dataSize = bodySize;
            dataSeen = true;
        }

        // Odd-sized chunks are followed by a pad byte. Some writers leave out the pad of the
        // last chunk; the loop ends just the same when the padded offset passes the end.
        offset = bodyStart + bodySize + (bodySize & 1u);
    }
    if (!formatSeen || !dataSeen) return std::nullopt;
    return layout;
}

std::optional<WavLayout> inspectWav(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) return std::nullopt;
    const WavReader fromBlock = [&](std::uint64_t offset, std::size_t count, std::uint8_t* out) {
        // The walk asks only for bytes within the size it was given.
        std::memcpy(out, data + offset, count);
        return true;
    };
    return inspectWavHeaders(fromBlock, size);
}

bool isWellFormedWav(const std::uint8_t* data, std::size_t size) {
    return inspectWav(data, size).has_value();
}
