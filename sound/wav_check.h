#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

// Where the samples of a well-formed file lie, and how they are laid out.
struct WavLayout {
    std::uint16_t channels;
    std::uint32_t sampleRate;
    std::uint16_t bitsPerSample;  // 8 (unsigned) or 16 (signed, little-endian)
    std::size_t dataOffset;       // the first sample byte of the "data" chunk
    std::size_t dataSize;         // bytes of samples: a whole number of frames, never 0
};

// The layout of a well-formed file (as isWellFormedWav describes it); nothing for anything else.
std::optional<WavLayout> inspectWav(const std::uint8_t* data, std::size_t size);

// Reads count bytes at offset into out; false when it cannot.
using WavReader = std::function<bool(std::uint64_t offset, std::size_t count, std::uint8_t* out)>;

// As inspectWav for a file of the given size read piecewise: only the RIFF header, the chunk
// headers and the "fmt " fields are read, never the samples, so a long file is checked in a few
// small reads. Gives the same answer as inspectWav on the whole file; nothing when a read fails.
std::optional<WavLayout> inspectWavHeaders(const WavReader& read, std::uint64_t size);

// True when the block is a RIFF/WAVE file whose chunks all lie within the block, with a
// plausible PCM "fmt " chunk followed by a "data" chunk. Anything else is refused before it
// reaches the decoder.
bool isWellFormedWav(const std::uint8_t* data, std::size_t size);
