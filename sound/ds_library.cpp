#include "sound/ds_library.h"

#include <utility>

#include "sound/ds.h"

namespace {

class DsLibrary final : public SoundLibrary {
  public:
    int initialize(long windowHandle) override { return dsInitialize(windowHandle); }
    void terminate(int device) override { dsTerminate(device); }
    int createFromFile(int device, SampleBlock&& block, int fd, int flags) override {
        return dsCreateDSBFromFile(device, std::move(block), fd, flags);
    }
    int createStreamed(int device, const WavLayout& layout, int fd) override {
        return dsCreateStreamingDSB(device, layout, fd);
    }
    void free(int buffer) override { dsFree(buffer); }
    void releaseThread() override { dsReleaseThread(); }
    int play(int buffer) override { return dsPlay(buffer); }
    int playLooping(int buffer) override { return dsPlayLooping(buffer); }
    int stop(int buffer) override { return dsStop(buffer); }
    bool isPlaying(int buffer) override { return dsIsPlaying(buffer); }
};

}

SoundLibrary& dsLibrary() {
    static DsLibrary library;
    return library;
}
