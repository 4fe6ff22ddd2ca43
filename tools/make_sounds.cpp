// Generates the game's five sound files: quorvel_make_sounds <output folder>
//
// Every sound is synthesised here from sines, decaying envelopes and a fixed-seed noise source,
// so the same program always writes the same 16-bit PCM files.
//
//   駒打音.wav  a short wooden knock (the prince's step)
//   磁石音.wav  a metallic clack (a magnet pulls)
//   禁止.wav    a low buzz (a refused press)
//   その他.wav  a bright rising chime (a win, the version box)
//   BGM.wav     40 s of calm plucked pentatonic melody over a soft drone, made to loop seamlessly

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int sampleRate = 44100;
constexpr double twoPi = 2.0 * std::numbers::pi;

int samplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * sampleRate));
}

double dbToGain(double db) {
    return std::pow(10.0, db / 20.0);
}

// Two-channel signal in floating point; mono sounds use only the left channel.
struct Signal {
    std::vector<double> left;
    std::vector<double> right;
    bool stereo = false;

    static Signal mono(int frames) { return Signal{std::vector<double>(frames), {}, false}; }
    static Signal twoChannel(int frames) {
        return Signal{std::vector<double>(frames), std::vector<double>(frames), true};
    }
    int frames() const { return static_cast<int>(left.size()); }
};

// Uniform noise in [-1, 1) from a 32-bit linear congruential generator with a fixed seed.
class Noise {
  public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

  private:
    std::uint32_t state_;
};

// A ringing partial: a sine whose amplitude rises over `attack` seconds and then decays
// exponentially by `decay` nepers per second.
struct Mode {
    double frequency;
    double amplitude;
    double decay;
};

void addModes(std::vector<double>& out, int startFrame, const std::vector<Mode>& modes,
              double attack, double gain) {
    for (const Mode& mode : modes) {
        const double step = twoPi * mode.frequency / sampleRate;
        for (int i = 0; startFrame + i < static_cast<int>(out.size()); ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            const double envelope = (1.0 - std::exp(-t / attack)) * std::exp(-mode.decay * t);
            out[startFrame + i] += gain * mode.amplitude * envelope * std::sin(step * i);
        }
    }
}

// A burst of noise rising over a fraction of a millisecond and decaying by `decay` nepers per
// second, smoothed by a one-pole low-pass at `cutoff` Hz; with `highPass` the smoothed part is
// removed instead, leaving the hiss.
void addNoiseBurst(std::vector<double>& out, int startFrame, double seconds, double decay,
                   double cutoff, bool highPass, double gain, std::uint32_t seed) {
    constexpr double attack = 0.0003;
    Noise noise(seed);
    const double smoothing = 1.0 - std::exp(-twoPi * cutoff / sampleRate);
    double low = 0.0;
    const int frames = samplesFor(seconds);
    for (int i = 0; i < frames && startFrame + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double raw = noise.next();
        low += smoothing * (raw - low);
        const double filtered = highPass ? raw - low : low;
        out[startFrame + i] +=
            gain * (1.0 - std::exp(-t / attack)) * std::exp(-decay * t) * filtered;
    }
}

// Raised-cosine ramps so that a sound starts and ends exactly at zero.
void fadeIn(std::vector<double>& samples, double seconds) {
    const int frames = std::min(samplesFor(seconds), static_cast<int>(samples.size()));
    for (int i = 0; i < frames; ++i) {
        samples[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / frames);
    }
}

void fadeOut(std::vector<double>& samples, double seconds) {
    const int size = static_cast<int>(samples.size());
    const int frames = std::min(samplesFor(seconds), size);
    for (int i = 0; i < frames; ++i) {
        // The last sample gets weight 0.
        const double remaining = static_cast<double>(frames - 1 - i) / (frames - 1);
        samples[size - frames + i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * remaining);
    }
}

void fadeEdges(Signal& signal, double inSeconds, double outSeconds) {
    fadeIn(signal.left, inSeconds);
    fadeOut(signal.left, outSeconds);
    if (signal.stereo) {
        fadeIn(signal.right, inSeconds);
        fadeOut(signal.right, outSeconds);
    }
}

// Scales the signal so its highest peak sits at `peakDb` dBFS.
void normalise(Signal& signal, double peakDb) {
    double peak = 0.0;
    for (double s : signal.left)
        peak = std::max(peak, std::abs(s));
    for (double s : signal.right)
        peak = std::max(peak, std::abs(s));
    if (peak == 0.0) return;
    const double gain = dbToGain(peakDb) / peak;
    for (double& s : signal.left)
        s *= gain;
    for (double& s : signal.right)
        s *= gain;
}

std::int16_t toPcm16(double sample) {
    const double scaled = std::round(sample * 32767.0);
    return static_cast<std::int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, value & 0xffff);
    putU16(out, value >> 16);
}

void putId(std::vector<std::uint8_t>& out, const char (&id)[5]) {
    out.insert(out.end(), id, id + 4);
}

// A canonical 44-byte-header PCM .wav file, little-endian, 16 bits per sample.
std::vector<std::uint8_t> encodeWav(const Signal& signal) {
    const std::uint32_t channels = signal.stereo ? 2 : 1;
    const std::uint32_t blockAlign = channels * 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(signal.frames()) * blockAlign;

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putId(out, "RIFF");
    putU32(out, 36 + dataBytes);
    putId(out, "WAVE");
    putId(out, "fmt ");
    putU32(out, 16);
    putU16(out, 1);  // PCM
    putU16(out, channels);
    putU32(out, sampleRate);
    putU32(out, sampleRate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, 16);
    putId(out, "data");
    putU32(out, dataBytes);
    for (int i = 0; i < signal.frames(); ++i) {
        putU16(out, static_cast<std::uint16_t>(toPcm16(signal.left[i])));
        if (signal.stereo) putU16(out, static_cast<std::uint16_t>(toPcm16(signal.right[i])));
    }
    return out;
}

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// ---- Effects ----------------------------------------------------------------------------------

// A hard wooden piece set down on a wooden board: a few inharmonic body modes that die within
// a tenth of a second, led by a soft click of noise.
Signal woodKnock() {
    Signal s = Signal::mono(samplesFor(0.16));
    addModes(s.left, 0,
             {{240.0, 0.35, 45.0},
              {720.0, 1.00, 38.0},
              {1310.0, 0.60, 52.0},
              {2160.0, 0.35, 72.0},
              {3480.0, 0.20, 98.0},
              {5200.0, 0.10, 140.0}},
             0.0003, 1.0);
    addNoiseBurst(s.left, 0, 0.02, 900.0, 6000.0, false, 1.2, 0x5eed0001u);
    fadeEdges(s, 0.0005, 0.02);
    normalise(s, -2.0);
    return s;
}

// Free-bar partials (ratios 1 : 2.756 : 5.404 : 8.933) of a small steel plate.
std::vector<Mode> steelPlate(double fundamental, double amplitude) {
    return {{fundamental, amplitude, 14.0},
            {fundamental * 2.756, amplitude * 0.55, 20.0},
            {fundamental * 5.404, amplitude * 0.30, 30.0},
            {fundamental * 8.933, amplitude * 0.15, 45.0}};
}

// A magnet snapping onto steel: a bright strike with a low thud, and a smaller rebound strike
// 22 ms later that makes the "cl-ack".
Signal magnetClack() {
    Signal s = Signal::mono(samplesFor(0.42));
    addModes(s.left, 0, steelPlate(1180.0, 1.0), 0.0002, 1.0);
    addModes(s.left, 0, {{160.0, 0.4, 35.0}}, 0.0005, 1.0);
    addNoiseBurst(s.left, 0, 0.01, 1500.0, 2500.0, true, 0.8, 0x5eed0002u);
    const int rebound = samplesFor(0.022);
    addModes(s.left, rebound, steelPlate(1227.0, 0.45), 0.0002, 1.0);
    addNoiseBurst(s.left, rebound, 0.008, 1800.0, 2500.0, true, 0.4, 0x5eed0003u);
    fadeEdges(s, 0.0005, 0.06);
    normalise(s, -2.0);
    return s;
}

// Two low band-limited sawtooth voices a semitone apart; their beating gives the buzz.
Signal refusedBuzz() {
    Signal s = Signal::mono(samplesFor(0.30));
    for (double fundamental : {92.50, 98.00}) {
        for (int n = 1; n * fundamental < 4000.0; ++n) {
            const double frequency = n * fundamental;
            const double tilt = 1.0 / (1.0 + (frequency / 1800.0) * (frequency / 1800.0));
            const double amplitude = tilt / n;
            const double step = twoPi * frequency / sampleRate;
            for (int i = 0; i < s.frames(); ++i)
                s.left[i] += amplitude * std::sin(step * i);
        }
    }
    fadeEdges(s, 0.006, 0.05);
    // A steady low buzz sounds louder than a strike of the same peak; it sits a little lower.
    normalise(s, -3.0);
    return s;
}

// Equal-power placement in the stereo field, pan from -1 (left) to +1 (right).
struct PanGains {
    double left;
    double right;
};

PanGains panGains(double pan) {
    const double angle = (pan + 1.0) * std::numbers::pi / 4.0;
    return {std::cos(angle), std::sin(angle)};
}

// Three bell strikes rising through A5, D6, A6, spread from left to right.
Signal chime() {
    Signal s = Signal::twoChannel(samplesFor(0.95));
    struct Strike {
        double seconds;
        double frequency;
        double pan;
    };
    for (const Strike& strike :
         {Strike{0.00, 880.00, -0.4}, Strike{0.08, 1174.66, 0.0}, Strike{0.16, 1760.00, 0.4}}) {
        const double f = strike.frequency;
        const std::vector<Mode> bell = {{f, 1.00, 4.5},
                                        {f * 2.0, 0.45, 7.0},
                                        {f * 2.76, 0.22, 10.0},
                                        {f * 4.0, 0.14, 14.0},
                                        {f * 5.4, 0.07, 19.0}};
        const PanGains gains = panGains(strike.pan);
        addModes(s.left, samplesFor(strike.seconds), bell, 0.0005, gains.left);
        addModes(s.right, samplesFor(strike.seconds), bell, 0.0005, gains.right);
    }
    fadeEdges(s, 0.0005, 0.25);
    normalise(s, -2.0);
    return s;
}

// ---- Background music -------------------------------------------------------------------------
//
// 12 bars of 4/4 at 72 beats a minute: 36750 samples a beat, 1 764 000 samples (40 s) in all.
// The piece is written on a circle of that length so that it loops without a seam:
//  - plucked notes are added modulo the loop length (a tail that passes the end continues at
//    the start, exactly as it sounds when the file repeats), and the last phrase ends early so
//    that little tail is left;
//  - the echo runs over the loop three times and keeps the last turn, so its state at the end
//    equals its state at the start;
//  - every drone frequency is a whole multiple of 1/40 Hz and its breathing a whole number of
//    cycles long, so the drone is exactly periodic; it also starts at phase 0, i.e. at zero.

constexpr int beatsPerMinute = 72;
constexpr int beatFrames = sampleRate * 60 / beatsPerMinute;
static_assert(sampleRate * 60 % beatsPerMinute == 0, "a beat must be a whole number of samples");
constexpr int bars = 12;
constexpr int beatsPerBar = 4;
constexpr int loopFrames = bars * beatsPerBar * beatFrames;
constexpr double loopSeconds = static_cast<double>(loopFrames) / sampleRate;

double midiFrequency(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Rounds a frequency to a whole number of cycles per loop.
double loopPeriodic(double frequency) {
    return std::round(frequency * loopSeconds) / loopSeconds;
}

struct PluckedNote {
    double beat;  // from the start of the piece
    int note;     // MIDI note number
    double beats;
    double velocity;
    bool pressedUp = false;  // plucked a whole tone low and pressed up to pitch, as on a koto
};

// A koto-like string: harmonic partials (slightly stretched) weighted by a pluck near the end
// of the string, upper partials dying faster; a short pick noise; damped a little after the
// written length.
void addPluck(Signal& bus, const PluckedNote& n, double pan, std::uint32_t seed) {
    constexpr double pluckPosition = 0.18;
    constexpr double stretch = 0.00015;
    constexpr double attack = 0.0015;
    constexpr double ringOnBeats = 0.5;
    constexpr double damping = 0.15;

    const double target = midiFrequency(n.note);
    const int start = static_cast<int>(std::lround(n.beat * beatFrames));
    const int dampStart = static_cast<int>(std::lround((n.beats + ringOnBeats) * beatFrames));
    const int frames = dampStart + samplesFor(damping);
    const PanGains gains = panGains(pan);

    std::vector<double> voice(frames, 0.0);
    for (int partial = 1; partial <= 14 && partial * target < 11000.0; ++partial) {
        const double amplitude =
            std::abs(std::sin(partial * std::numbers::pi * pluckPosition)) / std::pow(partial, 1.1);
        const double decay = 1.1 + 0.9 * std::pow(partial - 1, 1.25);
        const double ratio = partial * std::sqrt(1.0 + stretch * partial * partial);
        double phase = 0.0;
        for (int i = 0; i < frames; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            double pitch = target;
            if (n.pressedUp) {
                // From a whole tone below, pressed up between 30 ms and 150 ms.
                const double x = std::clamp((t - 0.03) / 0.12, 0.0, 1.0);
                const double smooth = x * x * (3.0 - 2.0 * x);
                pitch = target * std::pow(2.0, (smooth - 1.0) * 2.0 / 12.0);
            }
            voice[i] +=
                amplitude * (1.0 - std::exp(-t / attack)) * std::exp(-decay * t) * std::sin(phase);
            phase += twoPi * pitch * ratio / sampleRate;
        }
    }
    addNoiseBurst(voice, 0, 0.006, 700.0, 3000.0, false, 0.08, seed);
    for (int i = dampStart; i < frames; ++i) {
        const double x = static_cast<double>(i - dampStart) / (frames - 1 - dampStart);
        voice[i] *= 0.5 + 0.5 * std::cos(std::numbers::pi * x);
    }
    for (int i = 0; i < frames; ++i) {
        const int at = (start + i) % loopFrames;
        bus.left[at] += n.velocity * gains.left * voice[i];
        bus.right[at] += n.velocity * gains.right * voice[i];
    }
}

// D yo scale (D E G A B).
enum Pitch : int {
    G2 = 43,
    A2 = 45,
    D3 = 50,
    E3 = 52,
    G3 = 55,
    A3 = 57,
    B3 = 59,
    D4 = 62,
    E4 = 64,
    G4 = 67,
    A4 = 69,
    B4 = 71,
    D5 = 74,
    E5 = 76,
};

std::vector<PluckedNote> melody() {
    // clang-format off
    return {
        // Bar 1-4: the opening phrase, answered and held.
        {0, A4, 1, 0.90}, {1, B4, 0.5, 0.75}, {1.5, A4, 0.5, 0.70}, {2, G4, 1, 0.80}, {3, E4, 1, 0.75},
        {4, D4, 1.5, 0.85}, {5.5, E4, 0.5, 0.65}, {6, G4, 2, 0.80},
        {8, A4, 0.5, 0.80}, {8.5, B4, 0.5, 0.75}, {9, D5, 1, 0.90}, {10, B4, 1, 0.75}, {11, A4, 1, 0.75},
        {12, B4, 3, 0.85, true}, {15, D5, 0.5, 0.50}, {15.5, E5, 0.5, 0.45},
        // Bar 5-8: higher, then back down.
        {16, D5, 1, 0.90}, {17, E5, 0.5, 0.75}, {17.5, D5, 0.5, 0.70}, {18, B4, 1, 0.80}, {19, A4, 1, 0.75},
        {20, G4, 1, 0.85}, {21, A4, 0.5, 0.70}, {21.5, G4, 0.5, 0.65}, {22, E4, 2, 0.80, true},
        {24, D4, 0.5, 0.75}, {24.5, E4, 0.5, 0.70}, {25, G4, 1, 0.80}, {26, A4, 1, 0.80}, {27, B4, 1, 0.80},
        {28, A4, 3, 0.85, true}, {31, B4, 0.5, 0.50}, {31.5, D5, 0.5, 0.50},
        // Bar 9-12: the peak and the close on the tonic, ending early so the loop breathes.
        {32, E5, 1.5, 0.95}, {33.5, D5, 0.5, 0.70}, {34, B4, 1, 0.80}, {35, D5, 1, 0.80},
        {36, A4, 1, 0.85}, {37, G4, 0.5, 0.70}, {37.5, A4, 0.5, 0.70}, {38, B4, 2, 0.80},
        {40, G4, 1, 0.80}, {41, E4, 1, 0.75}, {42, D4, 0.5, 0.70}, {42.5, E4, 0.5, 0.70}, {43, G4, 1, 0.75},
        {44, D4, 1.5, 0.80},
    };
    // clang-format on
}

std::vector<PluckedNote> bass() {
    // A root on the first beat of each bar and a fifth on the third.
    struct BarChord {
        int root;
        int fifth;
    };
    const std::array<BarChord, bars> chords = {{{D3, A3},
                                                {G2, D3},
                                                {D3, A3},
                                                {E3, B3},
                                                {G2, D3},
                                                {E3, B3},
                                                {D3, A3},
                                                {A2, E3},
                                                {E3, B3},
                                                {D3, A3},
                                                {G2, D3},
                                                {D3, 0}}};
    std::vector<PluckedNote> notes;
    for (int bar = 0; bar < bars; ++bar) {
        const double first = bar * beatsPerBar;
        notes.push_back({first, chords[bar].root, 2, 0.55});
        if (chords[bar].fifth != 0) notes.push_back({first + 2, chords[bar].fifth, 2, 0.42});
    }
    return notes;
}

// A ping-pong echo of half a beat with a darkening feedback path, run round the loop so that
// the repeats of the last notes fall on the first bars.
Signal circularEcho(const Signal& dry) {
    constexpr int delay = beatFrames / 2;
    constexpr double feedback = 0.32;
    constexpr double wet = 0.22;
    const double smoothing = 1.0 - std::exp(-twoPi * 3500.0 / sampleRate);

    std::vector<double> lineLeft(delay, 0.0), lineRight(delay, 0.0);
    double lowLeft = 0.0, lowRight = 0.0;
    Signal out = Signal::twoChannel(loopFrames);
    int cursor = 0;
    for (int turn = 0; turn < 3; ++turn) {
        for (int i = 0; i < loopFrames; ++i) {
            const double delayedLeft = lineLeft[cursor];
            const double delayedRight = lineRight[cursor];
            lowLeft += smoothing * (delayedLeft - lowLeft);
            lowRight += smoothing * (delayedRight - lowRight);
            // Each side feeds the other, so the repeats alternate left and right.
            lineLeft[cursor] = dry.right[i] + feedback * lowRight;
            lineRight[cursor] = dry.left[i] + feedback * lowLeft;
            cursor = (cursor + 1) % delay;
            out.left[i] = wet * delayedLeft;
            out.right[i] = wet * delayedRight;
        }
    }
    return out;
}

// Soft open fifths on D with a slightly detuned octave on the right for width, swelling and
// ebbing once every two bars.
void addDrone(Signal& mix) {
    struct Voice {
        double frequency;
        double left;
        double right;
    };
    const std::vector<Voice> voices = {
        {loopPeriodic(midiFrequency(D3 - 12)), 0.22, 0.22},
        {loopPeriodic(midiFrequency(A2)), 0.12, 0.12},
        {loopPeriodic(midiFrequency(D3)), 0.14, 0.06},
        {loopPeriodic(midiFrequency(D3) + 0.1), 0.06, 0.14},
        {loopPeriodic(midiFrequency(A3)), 0.04, 0.04},
    };
    const int swellFrames = 2 * beatsPerBar * beatFrames;
    static_assert(loopFrames % (2 * beatsPerBar * beatFrames) == 0);
    for (int i = 0; i < loopFrames; ++i) {
        const double swell = 1.0 + 0.25 * std::sin(twoPi * i / swellFrames);
        for (const Voice& v : voices) {
            const double s = swell * std::sin(twoPi * v.frequency * i / sampleRate);
            mix.left[i] += v.left * s;
            mix.right[i] += v.right * s;
        }
    }
}

Signal backgroundMusic() {
    Signal plucks = Signal::twoChannel(loopFrames);
    std::uint32_t seed = 0x5eed1000u;
    for (const PluckedNote& n : melody())
        addPluck(plucks, n, 0.2, seed++);
    for (const PluckedNote& n : bass())
        addPluck(plucks, n, -0.3, seed++);

    Signal mix = circularEcho(plucks);
    for (int i = 0; i < loopFrames; ++i) {
        mix.left[i] += plucks.left[i];
        mix.right[i] += plucks.right[i];
    }
    addDrone(mix);
    normalise(mix, -3.0);
    return mix;
}

struct SoundFile {
    const char* name;
    Signal (*make)();
};

}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    const SoundFile files[] = {
        {"駒打音.wav", woodKnock}, {"磁石音.wav", magnetClack},  {"禁止.wav", refusedBuzz},
        {"その他.wav", chime},     {"BGM.wav", backgroundMusic},
    };
    for (const SoundFile& file : files) {
        const std::filesystem::path path = folder / file.name;
        if (!writeFile(path, encodeWav(file.make()))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
