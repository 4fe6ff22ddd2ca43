#include "sound/ds.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "sound/wav_check.h"

// The rest of the program knows nothing of SDL: this file is the only place that includes it.
// SDL must neither take over main() nor install signal handlers, both of which belong to Qt.
#define SDL_MAIN_HANDLED
#include <SDL.h>

// The mixer is the library's own, on SDL2's audio device: the game plays only .wav files, and
// SDL_mixer would bring the decoders of a dozen other formats (fluidsynth, modplug, Vorbis,
// Opus, FLAC, mpg123 and what they need), which cost the start some four milliseconds to load.
// The device runs at one fixed format; every buffer holds its samples in that format, so mixing
// is a saturating sum. Its channels are split in two groups: the first few are reserved for
// music buffers (flags 1), so a looping piece never loses its channel to effects, and the rest
// are shared by effects (flags 3), so effects never cut the music.

namespace {

constexpr int sampleRate = 44100;
constexpr int outputChannels = 2;
constexpr SDL_AudioFormat deviceFormat = AUDIO_S16SYS;
constexpr int frameBytes = outputChannels * 2;
constexpr int mixBufferFrames = 2048;

constexpr int musicChannelCount = 2;
constexpr int effectChannelCount = 30;
constexpr int channelCount = musicChannelCount + effectChannelCount;

constexpr int musicFlags = 1;

struct Buffer {
    const Uint8* samples = nullptr;  // whole frames in the device's format
    std::size_t length = 0;          // bytes
    bool music = false;
    std::vector<Uint8> converted;  // the samples, when they had to be converted
    SampleBlock block;             // the file the samples are played from in place, if so
};

// What a channel plays; read and written by the mixer's thread under the device's lock.
struct Channel {
    int owner = 0;  // buffer handle last started on it, 0 for none
    const Uint8* samples = nullptr;
    std::size_t length = 0;
    std::size_t position = 0;
    bool playing = false;
    bool looping = false;
    std::uint64_t started = 0;  // the order in which channels were started, for the oldest
};

// One music buffer at a time may play straight from its file, a few kilobytes per mix in the
// mixer's thread, instead of from memory: the music is the largest thing the game loads, and
// this keeps its seven megabytes out of the resident memory. Only samples already in the
// device's format stream. Reads stay within the data as it was found when the file was opened
// and checked; a file cut shorter since simply ends early.
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
    SDL_AudioDeviceID id = 0;
    std::map<int, Buffer> buffers;
    std::array<Channel, channelCount> channels;
    std::uint64_t starts = 0;
};

// Handles are never reused, so a handle kept after dsFree or dsTerminate stays harmless.
int lastDeviceHandle = 0;
int lastBufferHandle = 0;
Device device;
Stream stream;

// Holds the mixer's thread off the channels and the stream while the main thread changes them.
class MixerLock {
  public:
    MixerLock() : id_(device.id) {
        if (id_ != 0) SDL_LockAudioDevice(id_);
    }
    ~MixerLock() {
        if (id_ != 0) SDL_UnlockAudioDevice(id_);
    }
    MixerLock(const MixerLock&) = delete;
    MixerLock& operator=(const MixerLock&) = delete;

  private:
    SDL_AudioDeviceID id_;
};

// The music from its file into the mix buffer, silence after it.
void streamInto(Uint8* out, std::size_t wanted) {
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

// A channel's samples added onto the mix buffer, as far as the buffer or the sound goes.
void mixChannel(Channel& channel, Uint8* out, std::size_t wanted) {
    if (channel.length == 0) channel.playing = false;
    std::size_t done = 0;
    while (channel.playing && done < wanted) {
        if (channel.position >= channel.length) {
            if (!channel.looping) {
                channel.playing = false;
                break;
            }
            channel.position = 0;
        }
        const std::size_t part = std::min(wanted - done, channel.length - channel.position);
        SDL_MixAudioFormat(out + done, channel.samples + channel.position, deviceFormat,
                           static_cast<Uint32>(part), SDL_MIX_MAXVOLUME);
        done += part;
        channel.position += part;
    }
    if (channel.playing && channel.position >= channel.length && !channel.looping) {
        channel.playing = false;
    }
}

// The mixer's thread, once per mix buffer, with the device's lock held: the music from its file
// first, then every playing channel on top.
void mix(void* /*unused*/, Uint8* out, int length) {
    const auto wanted = static_cast<std::size_t>(length);
    streamInto(out, wanted);
    for (Channel& channel : device.channels)
        mixChannel(channel, out, wanted);
}

bool isStreamed(int handle) {
    return handle != 0 && stream.handle == handle;
}

void setStreamPlaying(bool playing, bool looping) {
    const MixerLock lock;
    stream.position = 0;
    stream.playing = playing;
    stream.looping = looping;
}

void endStream() {
    const MixerLock lock;
    if (stream.fd >= 0) ::close(stream.fd);
    stream = Stream();
}

Buffer* findBuffer(int handle) {
    if (handle == 0 || device.handle == 0) return nullptr;
    auto it = device.buffers.find(handle);
    return it == device.buffers.end() ? nullptr : &it->second;
}

// Under the device's lock.
bool isPlayingOn(int channel, int handle) {
    const Channel& c = device.channels[static_cast<std::size_t>(channel)];
    return c.owner == handle && c.playing;
}

void haltChannelsOf(int handle) {
    if (isStreamed(handle)) setStreamPlaying(false, false);
    const MixerLock lock;
    for (Channel& channel : device.channels) {
        if (channel.owner != handle) continue;
        channel = Channel();
    }
}

// The first idle channel of [first, first + count), or else the one playing longest; under the
// device's lock.
int channelIn(int first, int count) {
    int oldest = first;
    for (int channel = first; channel < first + count; ++channel) {
        const Channel& c = device.channels[static_cast<std::size_t>(channel)];
        if (!c.playing) return channel;
        if (c.started < device.channels[static_cast<std::size_t>(oldest)].started) oldest = channel;
    }
    return oldest;
}

// A music buffer is played at most once at a time: starting it again restarts it on the
// channel it already has. Otherwise it takes a free music channel, or the oldest one.
int musicChannelFor(int handle) {
    for (int channel = 0; channel < musicChannelCount; ++channel) {
        if (isPlayingOn(channel, handle)) return channel;
    }
    return channelIn(0, musicChannelCount);
}

// Effects may overlap, themselves included. When every effect channel is busy the oldest
// effect gives way, so the newest sound is always heard.
int effectChannel() {
    return channelIn(musicChannelCount, effectChannelCount);
}

// Returns 1 when the buffer started, 0 for an unknown handle.
int start(int handle, bool looping) {
    Buffer* buffer = findBuffer(handle);
    if (buffer == nullptr) return 0;
    if (isStreamed(handle)) {
        setStreamPlaying(true, looping);
        return 1;
    }
    const MixerLock lock;
    const int channel = buffer->music ? musicChannelFor(handle) : effectChannel();
    device.channels[static_cast<std::size_t>(channel)] =
        Channel{handle, buffer->samples, buffer->length, 0, true, looping, ++device.starts};
    return 1;
}

// True when the device plays samples of this layout as they are, with no conversion.
bool matchesDevice(const WavLayout& layout) {
    return layout.bitsPerSample == 16 && SDL_AUDIO_ISLITTLEENDIAN(deviceFormat) &&
           layout.sampleRate == static_cast<std::uint32_t>(sampleRate) &&
           layout.channels == outputChannels;
}

// A file whose samples must be converted to the device's format is decoded by SDL into copies
// of its own, a few times its size on the way. Past this many bytes of samples, before or after
// the conversion, it is refused, so one sound cannot take more than about 64 MiB while loading.
constexpr double largestConvertedSamples = 16.0 * 1024 * 1024;

bool convertsWithinBounds(const WavLayout& layout) {
    const double frames =
        static_cast<double>(layout.dataSize) / (layout.channels * (layout.bitsPerSample / 8));
    const double converted = frames * sampleRate / layout.sampleRate * frameBytes;
    return static_cast<double>(layout.dataSize) <= largestConvertedSamples &&
           converted <= largestConvertedSamples;
}

// The samples of a checked .wav file in memory, decoded by SDL and converted to the device's
// format; empty on any failure.
std::vector<Uint8> decodeAndConvert(const void* block, std::size_t size) {
    SDL_RWops* source = SDL_RWFromConstMem(block, static_cast<int>(size));
    if (source == nullptr) return {};
    SDL_AudioSpec decodedFormat{};
    Uint8* decoded = nullptr;
    Uint32 decodedLength = 0;
    // Closes the source, whatever happens.
    if (SDL_LoadWAV_RW(source, 1, &decodedFormat, &decoded, &decodedLength) == nullptr) return {};
    std::vector<Uint8> samples;
    SDL_AudioCVT conversion{};
    const int needed =
        SDL_BuildAudioCVT(&conversion, decodedFormat.format, decodedFormat.channels,
                          decodedFormat.freq, deviceFormat, outputChannels, sampleRate);
    if (needed == 0) {
        samples.assign(decoded, decoded + decodedLength);
    } else if (needed > 0) {
        samples.resize(static_cast<std::size_t>(decodedLength) *
                       static_cast<std::size_t>(conversion.len_mult));
        std::memcpy(samples.data(), decoded, decodedLength);
        conversion.buf = samples.data();
        conversion.len = static_cast<int>(decodedLength);
        if (SDL_ConvertAudio(&conversion) == 0) {
            samples.resize(static_cast<std::size_t>(conversion.len_cvt));
            samples.shrink_to_fit();
        } else {
            samples.clear();
        }
    }
    SDL_FreeWAV(decoded);
    return samples;
}

int addBuffer(Buffer&& buffer) {
    // Whole frames only, so that a sound that loops keeps its left and right in place.
    buffer.length -= buffer.length % frameBytes;
    const int handle = ++lastBufferHandle;
    device.buffers.emplace(handle, std::move(buffer));
    return handle;
}

bool openDevice() {
    SDL_AudioSpec wanted{};
    wanted.freq = sampleRate;
    wanted.format = deviceFormat;
    wanted.channels = outputChannels;
    wanted.samples = mixBufferFrames;
    wanted.callback = mix;
    // Any other format of the sound card is SDL's to convert to: the mixer sees only this one.
    SDL_AudioSpec obtained{};
    device.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device.id == 0) return false;
    SDL_PauseAudioDevice(device.id, 0);
    return true;
}

}

int dsInitialize(long /*windowHandle: SDL's audio needs no window*/) {
    if (device.handle != 0) return device.handle;

    SDL_SetMainReady();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    // Idle channels before the mixer's thread starts reading them.
    device.channels = {};
    if (!openDevice()) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    device.handle = ++lastDeviceHandle;
    return device.handle;
}

void dsTerminate(int deviceHandle) {
    if (deviceHandle == 0 || deviceHandle != device.handle) return;
    // Once the device is closed the mixer's thread is gone: nothing reads the buffers any more.
    SDL_CloseAudioDevice(device.id);
    device.id = 0;
    if (stream.fd >= 0) ::close(stream.fd);
    stream = Stream();
    device.channels = {};
    device.buffers.clear();
    device.handle = 0;

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

    // Decoded into a copy of the library's own: the block is not needed afterwards.
    Buffer buffer;
    buffer.converted = decodeAndConvert(block, size);
    if (buffer.converted.empty()) return 0;
    buffer.samples = buffer.converted.data();
    buffer.length = buffer.converted.size();
    buffer.music = flags == musicFlags;
    return addBuffer(std::move(buffer));
}

int dsCreateDSBFromBlock(int deviceHandle, SampleBlock&& block, int flags) {
    if (deviceHandle == 0 || deviceHandle != device.handle) return 0;
    const std::optional<WavLayout> layout = inspectWav(block.data(), block.size());
    if (!layout) return 0;
    if (!matchesDevice(*layout))
        return dsCreateDSB(deviceHandle, block.data(), block.size(), flags);

    // The samples are played where they lie in the block, which the buffer keeps.
    Buffer buffer;
    buffer.samples = block.data() + layout->dataOffset;
    buffer.length = static_cast<std::size_t>(layout->dataSize);
    buffer.music = flags == musicFlags;
    buffer.block = std::move(block);
    return addBuffer(std::move(buffer));
}

int dsCreateStreamingDSB(int deviceHandle, const WavLayout& layout, int fd) {
    if (deviceHandle == 0 || deviceHandle != device.handle || fd < 0 || stream.handle != 0 ||
        !matchesDevice(layout)) {
        return 0;
    }
    Buffer buffer;
    buffer.music = true;
    const int handle = addBuffer(std::move(buffer));
    const MixerLock lock;
    stream = Stream{handle, fd, layout.dataOffset, layout.dataSize, 0, false, false};
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
    if (findBuffer(handle) == nullptr) return;
    // The mixer lets go of the samples before they go.
    haltChannelsOf(handle);
    if (isStreamed(handle)) endStream();
    device.buffers.erase(handle);
}

void dsReleaseThread() {
    SDL_TLSCleanup();
}

int dsPlay(int handle) {
    return start(handle, false);
}

int dsPlayLooping(int handle) {
    return start(handle, true);
}

int dsStop(int handle) {
    if (findBuffer(handle) == nullptr) return 0;
    haltChannelsOf(handle);
    return 1;
}

bool dsIsPlaying(int handle) {
    if (findBuffer(handle) == nullptr) return false;
    const MixerLock lock;
    if (isStreamed(handle)) return stream.playing;
    for (int channel = 0; channel < channelCount; ++channel) {
        if (isPlayingOn(channel, handle)) return true;
    }
    return false;
}
