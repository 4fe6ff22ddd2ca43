#include "sound/ds.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "sound/wav_check.h"

// The rest of the program knows nothing of SDL: this file is the only place that includes it.
// SDL must neither take over main() nor install signal handlers, both of which belong to Qt.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

// Buffers are SDL_mixer chunks. The mixer's channels are split in two groups: the first few are
// reserved for music buffers (flags 1), so a looping piece never loses its channel to effects,
// and the rest are shared by effects (flags 3), so effects never cut the music.

namespace {

constexpr int sampleRate = 44100;
constexpr int outputChannels = 2;
constexpr int mixBufferFrames = 2048;

constexpr int musicChannelCount = 2;
constexpr int effectChannelCount = 30;
constexpr int channelCount = musicChannelCount + effectChannelCount;
constexpr int musicGroup = 1;
constexpr int effectGroup = 2;

constexpr int musicFlags = 1;

struct Buffer {
    Mix_Chunk* chunk;  // nullptr for the buffer that streams from its file
    bool music;
    SampleBlock samples;  // the file the chunk plays from in place; empty when SDL owns a copy
};

// One music buffer at a time may play straight from its file, a few kilobytes per mix in the
// mixer's thread, instead of from memory: the music is the largest thing the game loads, and
// this keeps its seven megabytes out of the resident memory. Only samples already in the
// device's format stream. Reads stay within the data as it was found when the file was opened
// and checked; a file cut shorter since simply ends early. Every field is shared with the
// mixer's thread and used only under streamGuard.
struct Stream {
    int handle = 0;  // the buffer that streams, 0 for none
    int fd = -1;
    std::uint64_t dataOffset = 0;
    std::uint64_t dataSize = 0;
    std::uint64_t position = 0;  // bytes into the data
    bool playing = false;
    bool looping = false;
};

struct Device {
    int handle = 0;  // 0 while the audio device is closed
    std::map<int, Buffer> buffers;
    std::vector<int> channelOwner;  // buffer handle last started on each channel, 0 for none
};

// Handles are never reused, so a handle kept after dsFree or dsTerminate stays harmless.
int lastDeviceHandle = 0;
int lastBufferHandle = 0;
Device device;
Stream stream;
// SDL_LockAudio does not reach the device SDL_mixer opens (it opens one by id), so the stream has
// a lock of its own; the mixer's thread holds it only while it fills one mix buffer.
std::mutex streamGuard;

// The mixer's music hook: fills its buffer from the file, the effect channels are mixed on top.
void streamInto(void* /*unused*/, Uint8* out, int length) {
    const std::lock_guard lock(streamGuard);
    const auto wanted = static_cast<std::size_t>(length);
    std::size_t done = 0;
    while (stream.playing && done < wanted) {
        if (stream.position >= stream.dataSize) {
            if (!stream.looping) {
                stream.playing = false;
                break;
            }
            stream.position = 0;
        }
        const std::size_t part = static_cast<std::size_t>(
            std::min<std::uint64_t>(wanted - done, stream.dataSize - stream.position));
        const ssize_t got = ::pread(stream.fd, out + done, part,
                                    static_cast<off_t>(stream.dataOffset + stream.position));
        if (got <= 0) {
            // The file ends before its data did: this pass ends here. A file with nothing left
            // at the start of its data ends the music.
            if (stream.position == 0) stream.playing = false;
            stream.position = stream.dataSize;
            continue;
        }
        done += static_cast<std::size_t>(got);
        stream.position += static_cast<std::uint64_t>(got);
    }
    // Silence of the device's signed 16-bit samples.
    std::memset(out + done, 0, wanted - done);
}

bool isStreamed(int handle) {
    return handle != 0 && stream.handle == handle;
}

void setStreamPlaying(bool playing, bool looping) {
    const std::lock_guard lock(streamGuard);
    stream.position = 0;
    stream.playing = playing;
    stream.looping = looping;
}

void endStream() {
    // Once the hook is gone the mixer's thread no longer reads the stream.
    Mix_HookMusic(nullptr, nullptr);
    const std::lock_guard lock(streamGuard);
    if (stream.fd >= 0) ::close(stream.fd);
    stream = Stream();
}

Buffer* findBuffer(int handle) {
    if (handle == 0 || device.handle == 0) return nullptr;
    auto it = device.buffers.find(handle);
    return it == device.buffers.end() ? nullptr : &it->second;
}

bool isPlayingOn(int channel, int handle) {
    return device.channelOwner[channel] == handle && Mix_Playing(channel) != 0;
}

void haltChannelsOf(int handle) {
    if (isStreamed(handle)) setStreamPlaying(false, false);
    for (int channel = 0; channel < channelCount; ++channel) {
        if (device.channelOwner[channel] != handle) continue;
        Mix_HaltChannel(channel);
        device.channelOwner[channel] = 0;
    }
}

// A music buffer is played at most once at a time: starting it again restarts it on the
// channel it already has. Otherwise it takes a free music channel, or the oldest one.
int musicChannelFor(int handle) {
    for (int channel = 0; channel < musicChannelCount; ++channel) {
        if (isPlayingOn(channel, handle)) return channel;
    }
    const int free = Mix_GroupAvailable(musicGroup);
    return free != -1 ? free : Mix_GroupOldest(musicGroup);
}

// Effects may overlap, themselves included. When every effect channel is busy the oldest
// effect gives way, so the newest sound is always heard.
int effectChannel() {
    const int free = Mix_GroupAvailable(effectGroup);
    return free != -1 ? free : Mix_GroupOldest(effectGroup);
}

// Returns 1 when the buffer started, 0 otherwise (unknown handle, mixer failure).
int start(int handle, int loops) {
    Buffer* buffer = findBuffer(handle);
    if (buffer == nullptr) return 0;
    if (isStreamed(handle)) {
        setStreamPlaying(true, loops == -1);
        return 1;
    }
    const int channel = buffer->music ? musicChannelFor(handle) : effectChannel();
    if (channel < 0) return 0;
    if (Mix_PlayChannel(channel, buffer->chunk, loops) < 0) return 0;
    device.channelOwner[channel] = handle;
    return 1;
}

// True when the mixer plays samples of this layout as they are, with no conversion.
bool matchesDevice(const WavLayout& layout) {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) return false;
    const Uint16 samples = layout.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    return static_cast<std::uint32_t>(frequency) == layout.sampleRate && format == samples &&
           channels == layout.channels;
}

// A file whose samples must be converted to the device's format is decoded by SDL into copies
// of its own, a few times its size on the way. Past this many bytes of samples, before or after
// the conversion, it is refused, so one sound cannot take more than about 64 MiB while loading.
constexpr double largestConvertedSamples = 16.0 * 1024 * 1024;

bool convertsWithinBounds(const WavLayout& layout) {
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0) return false;
    const double frames =
        static_cast<double>(layout.dataSize) / (layout.channels * (layout.bitsPerSample / 8));
    const double converted =
        frames * frequency / layout.sampleRate * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    return static_cast<double>(layout.dataSize) <= largestConvertedSamples &&
           converted <= largestConvertedSamples;
}

bool openMixer() {
    if (Mix_OpenAudio(sampleRate, AUDIO_S16SYS, outputChannels, mixBufferFrames) != 0) {
        return false;
    }
    if (Mix_AllocateChannels(channelCount) != channelCount ||
        Mix_ReserveChannels(musicChannelCount) != musicChannelCount) {
        Mix_CloseAudio();
        return false;
    }
    Mix_GroupChannels(0, musicChannelCount - 1, musicGroup);
    Mix_GroupChannels(musicChannelCount, channelCount - 1, effectGroup);
    return true;
}

}

int dsInitialize(long /*windowHandle: SDL's audio needs no window*/) {
    if (device.handle != 0) return device.handle;

    SDL_SetMainReady();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (!openMixer()) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    device.handle = ++lastDeviceHandle;
    device.channelOwner.assign(channelCount, 0);
    return device.handle;
}

void dsTerminate(int deviceHandle) {
    if (deviceHandle == 0 || deviceHandle != device.handle) return;
    Mix_HaltChannel(-1);
    endStream();
    for (auto& [handle, buffer] : device.buffers) {
        if (buffer.chunk != nullptr) Mix_FreeChunk(buffer.chunk);
    }
    device.buffers.clear();
    device.channelOwner.clear();
    device.handle = 0;

    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(0) == 0) SDL_Quit();
}

int dsCreateDSB(int deviceHandle, const void* block, std::size_t size, int flags) {
    if (deviceHandle == 0 || deviceHandle != device.handle) return 0;
    // SDL reads memory blocks with an int length.
    if (block == nullptr || size > static_cast<std::size_t>(INT_MAX)) return 0;
    const std::optional<WavLayout> layout =
        inspectWav(static_cast<const std::uint8_t*>(block), size);
    if (!layout) return 0;
    if (!matchesDevice(*layout) && !convertsWithinBounds(*layout)) return 0;

    SDL_RWops* stream = SDL_RWFromConstMem(block, static_cast<int>(size));
    if (stream == nullptr) return 0;
    // Decodes into a chunk of its own and closes the stream: the block is not needed afterwards.
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
    if (chunk == nullptr) return 0;

    const int handle = ++lastBufferHandle;
    device.buffers.emplace(handle, Buffer{chunk, flags == musicFlags, SampleBlock()});
    return handle;
}

int dsCreateDSBFromBlock(int deviceHandle, SampleBlock&& block, int flags) {
    if (deviceHandle == 0 || deviceHandle != device.handle) return 0;
    const std::optional<WavLayout> layout = inspectWav(block.data(), block.size());
    if (!layout) return 0;
    if (!matchesDevice(*layout))
        return dsCreateDSB(deviceHandle, block.data(), block.size(), flags);

    // The chunk points into the block, which the buffer keeps until the chunk is freed.
    Mix_Chunk* chunk =
        Mix_QuickLoad_RAW(block.data() + layout->dataOffset, static_cast<Uint32>(layout->dataSize));
    if (chunk == nullptr) return 0;
    const int handle = ++lastBufferHandle;
    device.buffers.emplace(handle, Buffer{chunk, flags == musicFlags, std::move(block)});
    return handle;
}

int dsCreateStreamingDSB(int deviceHandle, const WavLayout& layout, int fd) {
    if (deviceHandle == 0 || deviceHandle != device.handle || fd < 0 || stream.handle != 0 ||
        layout.bitsPerSample != 16 || !matchesDevice(layout)) {
        return 0;
    }
    const int handle = ++lastBufferHandle;
    device.buffers.emplace(handle, Buffer{nullptr, true, SampleBlock()});
    {
        const std::lock_guard lock(streamGuard);
        stream = Stream{handle, fd, layout.dataOffset, layout.dataSize, 0, false, false};
    }
    Mix_HookMusic(streamInto, nullptr);
    return handle;
}

int dsCreateDSBFromFile(int deviceHandle, SampleBlock&& block, int fd, int flags) {
    if (fd >= 0 && flags == musicFlags) {
        if (const std::optional<WavLayout> layout = inspectWav(block.data(), block.size())) {
            if (const int handle = dsCreateStreamingDSB(deviceHandle, *layout, fd)) return handle;
        }
    }
    if (fd >= 0) ::close(fd);
    return dsCreateDSBFromBlock(deviceHandle, std::move(block), flags);
}

void dsFree(int handle) {
    Buffer* buffer = findBuffer(handle);
    if (buffer == nullptr) return;
    haltChannelsOf(handle);
    if (isStreamed(handle)) endStream();
    if (buffer->chunk != nullptr) Mix_FreeChunk(buffer->chunk);
    device.buffers.erase(handle);
}

void dsReleaseThread() {
    SDL_TLSCleanup();
}

int dsPlay(int handle) {
    return start(handle, 0);
}

int dsPlayLooping(int handle) {
    return start(handle, -1);
}

int dsStop(int handle) {
    if (findBuffer(handle) == nullptr) return 0;
    haltChannelsOf(handle);
    return 1;
}

bool dsIsPlaying(int handle) {
    if (findBuffer(handle) == nullptr) return false;
    if (isStreamed(handle)) {
        const std::lock_guard lock(streamGuard);
        return stream.playing;
    }
    for (int channel = 0; channel < channelCount; ++channel) {
        if (isPlayingOn(channel, handle)) return true;
    }
    return false;
}
