#pragma once

#include "sound/sample_block.h"
#include "sound/wav_check.h"

// The sound library as the sound module uses it: the ds… calls behind one interface, so the
// program can reach a library it loads at run time (sound_loader.h) and tests the one linked in.
// Handles are those of ds.h: plain integers, 0 for none, and every call with 0 is harmless.
class SoundLibrary {
  public:
    virtual ~SoundLibrary() = default;

    virtual int initialize(long windowHandle) = 0;
    virtual void terminate(int device) = 0;
    // As dsCreateDSBFromFile: takes the block and the descriptor (which may be -1).
    virtual int createFromFile(int device, SampleBlock&& block, int fd, int flags) = 0;
    // As dsCreateStreamingDSB: takes the descriptor only when it returns a buffer.
    virtual int createStreamed(int device, const WavLayout& layout, int fd) = 0;
    virtual void free(int buffer) = 0;
    // As dsReleaseThread: called by a thread that used the library before it ends.
    virtual void releaseThread() = 0;
    virtual int play(int buffer) = 0;
    virtual int playLooping(int buffer) = 0;
    virtual int stop(int buffer) = 0;
    virtual bool isPlaying(int buffer) = 0;
};

// The one symbol the loadable sound module exports: returns its library, which lives as long as
// the module stays loaded.
extern "C" {
using SoundLibraryFactory = SoundLibrary*();
}
inline constexpr const char* soundLibraryFactoryName = "quorvelSoundLibrary";
