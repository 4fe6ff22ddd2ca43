#pragma once

#include <string>
#include <thread>
#include <vector>

#include "sound/sound_library.h"

// The sound library of the loadable module, loaded on a thread of its own. The module brings
// SDL2 with some thirty libraries; the thread maps and relocates them and opens
// the audio device while the main thread starts the window, instead of the program loading them
// all before main. The first call that needs the library waits for the thread, so the sound
// system is ready (or known to be missing) exactly where the game starts it.
class SoundLoader final : public SoundLibrary {
  public:
    // Starts the thread at once. It takes the first of the files that loads and exports the
    // factory; with none, there is no sound system. The module is never unloaded: the mixer's
    // thread may run until the process ends.
    explicit SoundLoader(std::vector<std::string> moduleFiles);
    ~SoundLoader() override;
    SoundLoader(const SoundLoader&) = delete;
    SoundLoader& operator=(const SoundLoader&) = delete;

    // The first call returns the device the thread opened (0 without a module or device); later
    // ones, after a terminate, open it anew.
    int initialize(long windowHandle) override;
    void terminate(int device) override;
    int createFromFile(int device, SampleBlock&& block, int fd, int flags) override;
    int createStreamed(int device, const WavLayout& layout, int fd) override;
    void free(int buffer) override;
    void releaseThread() override;
    int play(int buffer) override;
    int playLooping(int buffer) override;
    int stop(int buffer) override;
    bool isPlaying(int buffer) override;

  private:
    SoundLibrary* ready();

    // Written by the thread only, read only after it has been joined.
    SoundLibrary* library_ = nullptr;
    int openedDevice_ = 0;
    bool handedOut_ = false;
    // Last, so the fields above are set before the thread starts.
    std::thread thread_;
};

// Where the module may lie: beside the program (the build tree), then at the installed place
// relative to the program's folder. programPath is the program's own file.
std::vector<std::string> soundModuleFiles(const std::string& programPath,
                                          const std::string& moduleName,
                                          const std::string& installedFolderFromProgram);

// The program's own file, from /proc/self/exe; empty when it cannot be read.
std::string programPath();
