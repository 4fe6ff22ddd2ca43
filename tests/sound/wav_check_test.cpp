#include "sound/wav_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wav_bytes.h"

namespace {

using wavtest::Bytes;
using wavtest::Format;
using wavtest::RiffBuilder;

Format withField(const std::function<void(Format&)>& change) {
    Format f;
    change(f);
    return f;
}

// Two 16-bit mono frames.
const Bytes twoFrames = {0x00, 0x10, 0x00, 0xf0};

Bytes fileWith(const Format& f, const Bytes& samples = twoFrames) {
    return RiffBuilder().fmt(f).data(samples).build();
}

struct Case {
    std::string name;
    Bytes file;
    bool wellFormed;
};

std::vector<Case> cases() {
    const Bytes valid = fileWith(Format{});
    Bytes truncatedHeader(valid.begin(), valid.begin() + 11);
    Bytes withTrailingBytes = valid;
    withTrailingBytes.insert(withTrailingBytes.end(), {1, 2, 3});
    Bytes truncatedSamples(valid.begin(), valid.end() - 1);

    Format stereo8;
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    Format mono8;
    mono8.bitsPerSample = 8;

    return {
        // Accepted.
        {"minimal 16-bit mono", valid, true},
        {"8-bit stereo", fileWith(stereo8, {0x80, 0x80, 0x7f, 0x81}), true},
        {"fmt with cbSize", fileWith(withField([](Format& f) { f.extraBytes = 2; })), true},
        {"lowest rate", fileWith(withField([](Format& f) { f.sampleRate = 8000; })), true},
        {"highest rate", fileWith(withField([](Format& f) { f.sampleRate = 192000; })), true},
        {"odd-sized chunk padded",
         RiffBuilder().chunk("LIST", {'a', 'b', 'c'}).fmt(Format{}).data(twoFrames).build(), true},
        {"odd-sized data padded", RiffBuilder().fmt(mono8).data({1, 2, 3}).build(), true},
        {"last odd chunk without its pad",
         RiffBuilder().fmt(mono8).chunk("data", {1, 2, 3}, {}, false).build(), true},
        {"unknown chunks skipped",
         RiffBuilder()
             .chunk("JUNK", Bytes(6))
             .fmt(Format{})
             .chunk("fact", Bytes(4))
             .data(twoFrames)
             .chunk("LIST", Bytes(10))
             .build(),
         true},
        {"bytes after the RIFF form ignored", withTrailingBytes, true},

        // Refused: the container.
        {"empty block", {}, false},
        {"truncated header", truncatedHeader, false},
        {"not RIFF", RiffBuilder().fmt(Format{}).data(twoFrames).build({}, "WAVE", "RIFX"), false},
        {"not WAVE", RiffBuilder().fmt(Format{}).data(twoFrames).build({}, "AVI "), false},
        {"RIFF size beyond block",
         RiffBuilder().fmt(Format{}).data(twoFrames).build(
             static_cast<std::uint32_t>(valid.size())),
         false},
        {"RIFF size at maximum", RiffBuilder().fmt(Format{}).data(twoFrames).build(0xffffffffu),
         false},
        {"samples cut short", truncatedSamples, false},
        {"chunk size beyond block",
         RiffBuilder().fmt(Format{}).chunk("data", twoFrames, 400).build(), false},
        {"chunk size at maximum",
         RiffBuilder().fmt(Format{}).chunk("LIST", Bytes(4), 0xffffffffu).data(twoFrames).build(),
         false},
        {"chunk reaching past the RIFF form",
         RiffBuilder().fmt(Format{}).data(twoFrames).chunk("LIST", Bytes(8)).build(4 + 24 + 12 + 8),
         false},
        {"partial chunk header at the end",
         RiffBuilder().fmt(Format{}).data(twoFrames).raw({'L', 'I', 'S'}).build(), false},

        // Refused: the order and number of chunks.
        {"missing fmt", RiffBuilder().data(twoFrames).build(), false},
        {"missing data", RiffBuilder().fmt(Format{}).build(), false},
        {"data before fmt", RiffBuilder().data(twoFrames).fmt(Format{}).build(), false},
        {"two fmt chunks", RiffBuilder().fmt(Format{}).fmt(Format{}).data(twoFrames).build(),
         false},
        {"two data chunks", RiffBuilder().fmt(Format{}).data(twoFrames).data(twoFrames).build(),
         false},
        {"empty data", fileWith(Format{}, {}), false},
        {"partial frame of data",
         fileWith(withField([](Format& f) { f.channels = 2; }), {1, 2, 3, 4, 5, 6}), false},
        {"fmt shorter than PCM fields",
         RiffBuilder().chunk("fmt ", Bytes(14)).data(twoFrames).build(), false},

        // Refused: the sample format.
        {"ADPCM", fileWith(withField([](Format& f) { f.formatTag = 2; })), false},
        {"IEEE float", fileWith(withField([](Format& f) { f.formatTag = 3; })), false},
        {"extensible", fileWith(withField([](Format& f) { f.formatTag = 0xfffe; })), false},
        {"zero channels", fileWith(withField([](Format& f) { f.channels = 0; })), false},
        {"three channels", fileWith(withField([](Format& f) { f.channels = 3; }), Bytes(6)), false},
        {"24-bit", fileWith(withField([](Format& f) { f.bitsPerSample = 24; }), Bytes(6)), false},
        {"zero bits", fileWith(withField([](Format& f) {
             f.bitsPerSample = 0;
             f.blockAlign = 2;
         })),
         false},
        {"huge sample rate", fileWith(withField([](Format& f) { f.sampleRate = 1000000; })), false},
        {"rate below 8000", fileWith(withField([](Format& f) { f.sampleRate = 4000; })), false},
        {"zero sample rate", fileWith(withField([](Format& f) { f.sampleRate = 0; })), false},
        {"block align disagrees",
         fileWith(withField([](Format& f) { f.blockAlign = 4; }), Bytes(8)), false},
        {"byte rate disagrees", fileWith(withField([](Format& f) { f.byteRate = 44100; })), false},
    };
}

// An accepted file's layout points just past a "data" chunk header that declares its size.
TEST(WavCheck, AcceptsOnlyWellFormedPcmAndFindsItsDataChunk) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isWellFormedWav(c.file.data(), c.file.size()), c.wellFormed);
        const std::optional<WavLayout> layout = inspectWav(c.file.data(), c.file.size());
        ASSERT_EQ(layout.has_value(), c.wellFormed);
        if (!layout) continue;
        ASSERT_GE(layout->dataOffset, 44u);
        ASSERT_LE(layout->dataOffset + layout->dataSize, c.file.size());
        const std::uint8_t* header = c.file.data() + layout->dataOffset - 8;
        EXPECT_EQ(std::string(header, header + 4), "data");
        EXPECT_EQ(header[4] | header[5] << 8 | header[6] << 16 | header[7] << 24,
                  static_cast<int>(layout->dataSize));
    }
}

// The layout names exactly where the samples lie, whatever chunks come before them.
TEST(WavCheck, LayoutNamesTheFormatAndWhereTheSamplesLie) {
    Format stereo8;
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    stereo8.sampleRate = 22050;
    const Bytes fourFrames = {1, 2, 3, 4, 5, 6, 7, 8};
    struct LayoutCase {
        const char* name;
        Bytes file;
        WavLayout expected;
        Bytes samples;
    };
    const LayoutCase layoutCases[] = {
        {"minimal", fileWith(Format{}), {1, 44100, 16, 44, 4}, twoFrames},
        {"fmt with cbSize",
         fileWith(withField([](Format& f) { f.extraBytes = 2; })),
         {1, 44100, 16, 48, 4},
         twoFrames},
        {"odd chunk and its pad first",
         RiffBuilder().chunk("LIST", {'a', 'b', 'c'}).fmt(Format{}).data(twoFrames).build(),
         {1, 44100, 16, 56, 4},
         twoFrames},
        {"8-bit stereo with chunks after the data",
         RiffBuilder().fmt(stereo8).data(fourFrames).chunk("LIST", Bytes(10)).build(),
         {2, 22050, 8, 44, 8},
         fourFrames},
    };
    for (const LayoutCase& c : layoutCases) {
        SCOPED_TRACE(c.name);
        const std::optional<WavLayout> layout = inspectWav(c.file.data(), c.file.size());
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(layout->channels, c.expected.channels);
        EXPECT_EQ(layout->sampleRate, c.expected.sampleRate);
        EXPECT_EQ(layout->bitsPerSample, c.expected.bitsPerSample);
        EXPECT_EQ(layout->dataOffset, c.expected.dataOffset);
        EXPECT_EQ(layout->dataSize, c.expected.dataSize);
        const auto first = c.file.begin() + static_cast<std::ptrdiff_t>(layout->dataOffset);
        EXPECT_EQ(Bytes(first, first + static_cast<std::ptrdiff_t>(layout->dataSize)), c.samples);
    }
}

TEST(WavCheck, RefusesNullBlock) {
    EXPECT_FALSE(isWellFormedWav(nullptr, 0));
    EXPECT_FALSE(isWellFormedWav(nullptr, 44));
}

// Whatever the cut, a file missing its end declares more than the block holds.
TEST(WavCheck, RefusesEveryTruncation) {
    const Bytes file = RiffBuilder()
                           .chunk("LIST", {'x', 'y', 'z'})
                           .fmt(Format{})
                           .data(wavtest::toneSamples(0.001))
                           .build();
    ASSERT_TRUE(isWellFormedWav(file.data(), file.size()));
    for (std::size_t length = 0; length < file.size(); ++length) {
        // A copy of exactly `length` bytes, so reading past it is caught by sanitizers.
        const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(isWellFormedWav(prefix.data(), prefix.size())) << "length " << length;
    }
}

}
