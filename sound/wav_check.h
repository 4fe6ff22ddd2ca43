#pragma once

#include <cstddef>
#include <cstdint>

// True when the block is a RIFF/WAVE file whose chunks all lie within the block, with a
// plausible PCM "fmt " chunk followed by a "data" chunk. Anything else is refused before it
// reaches the decoder.
bool isWellFormedWav(const std::uint8_t* data, std::size_t size);
