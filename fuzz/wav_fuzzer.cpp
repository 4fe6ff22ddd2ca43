// Feeds arbitrary bytes to inspectWav, the WAV check behind isWellFormedWav. The
// sanitizers catch any read outside the block (the fuzzer hands over a heap block of exactly the
// input's size); besides, an accepted block must at least look like the smallest RIFF/WAVE file
// with a "fmt " and a "data" chunk, and the samples its layout names must lie inside the block in
// whole frames (the mixer plays them where they lie).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "sound/wav_check.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "wav_fuzzer: %s\n", what);
    std::abort();
}

// RIFF header (12) + "fmt " chunk header and PCM fields (8 + 16) + "data" chunk header (8).
constexpr std::size_t kSmallestWav = 44;

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<WavLayout> layout = inspectWav(data, size);
    if (!layout) return 0;

    const std::size_t frameBytes = layout->channels * (layout->bitsPerSample / 8u);
    if (frameBytes == 0) fail("accepted frames of no bytes");
    if (layout->dataSize == 0 || layout->dataSize % frameBytes != 0) fail("samples not in frames");
    if (layout->dataOffset < kSmallestWav || layout->dataOffset > size ||
        layout->dataSize > size - layout->dataOffset) {
        fail("the samples lie outside the block");
    }
    if (std::string_view(reinterpret_cast<const char*>(data) + layout->dataOffset - 8, 4) !=
        "data") {
        fail("the samples do not follow a data chunk header");
    }
    const std::uint8_t* declared = data + layout->dataOffset - 4;
    if ((declared[0] | declared[1] << 8 | declared[2] << 16 | std::uint32_t{declared[3]} << 24) !=
        layout->dataSize) {
        fail("the data chunk declares another size");
    }

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size < kSmallestWav) fail("accepted a block too small to be a WAV file");
    if (bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        fail("accepted a block without the RIFF/WAVE header");
    }
    if (bytes.find("fmt ", 12) == std::string_view::npos) fail("accepted a block without fmt");
    if (bytes.find("data", 12) == std::string_view::npos) fail("accepted a block without data");
    return 0;
}
