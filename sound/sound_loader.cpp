#include "sound/sound_loader.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <climits>
#include <utility>

namespace {

// How much lower than the program's the loading thread's priority is (a nice value).
constexpr int LOADING_NICENESS = 10;

SoundLibrary* loadLibrary(const std::vector<std::string>& moduleFiles) {
    for (const std::string& file : moduleFiles) {
        // Every symbol bound now, on this thread, rather than on first use on the main one.
        void* module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) continue;
        auto* factory =
            reinterpret_cast<SoundLibraryFactory*>(::dlsym(module, soundLibraryFactoryName));
        SoundLibrary* library = factory != nullptr ? factory() : nullptr;
        if (library != nullptr) return library;
        ::dlclose(module);
    }
    return nullptr;
}

}

SoundLoader::SoundLoader(std::vector<std::string> moduleFiles)
    : thread_([this, files = std::move(moduleFiles)] {
          // The loading runs on a thread of its own at a lower priority: it has time to spare
          // before the game needs it, while the main thread, the X server and the window manager
          // are busy showing the window and would otherwise share the processors with it. The
          // device is opened here, at the normal priority, since SDL's mixing thread takes its
          // priority from the thread that opens the device and a lowered one could not be raised
          // back.
          std::thread([this, &files] {
              setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), LOADING_NICENESS);
              library_ = loadLibrary(files);
          }).join();
          // The window handle is not needed to open the device.
          if (library_ != nullptr) {
              openedDevice_ = library_->initialize(0);
              library_->releaseThread();
          }
      }) {}

SoundLoader::~SoundLoader() {
    if (thread_.joinable()) thread_.join();
}

SoundLibrary* SoundLoader::ready() {
    if (thread_.joinable()) thread_.join();
    return library_;
}

int SoundLoader::initialize(long windowHandle) {
    SoundLibrary* library = ready();
    if (library == nullptr) return 0;
    if (!handedOut_) {
        handedOut_ = true;
        return openedDevice_;
    }
    return library->initialize(windowHandle);
}

void SoundLoader::terminate(int device) {
    if (SoundLibrary* library = ready()) library->terminate(device);
}

int SoundLoader::createFromFile(int device, SampleBlock&& block, int fd, int flags) {
    SoundLibrary* library = ready();
    if (library == nullptr) {
        if (fd >= 0) ::close(fd);
        return 0;
    }
    return library->createFromFile(device, std::move(block), fd, flags);
}

int SoundLoader::createStreamed(int device, const WavLayout& layout, int fd) {
    SoundLibrary* library = ready();
    return library != nullptr ? library->createStreamed(device, layout, fd) : 0;
}

void SoundLoader::free(int buffer) {
    if (SoundLibrary* library = ready()) library->free(buffer);
}

void SoundLoader::releaseThread() {
    if (SoundLibrary* library = ready()) library->releaseThread();
}

int SoundLoader::play(int buffer) {
    SoundLibrary* library = ready();
    return library != nullptr ? library->play(buffer) : 0;
}

int SoundLoader::playLooping(int buffer) {
    SoundLibrary* library = ready();
    return library != nullptr ? library->playLooping(buffer) : 0;
}

int SoundLoader::stop(int buffer) {
    SoundLibrary* library = ready();
    return library != nullptr ? library->stop(buffer) : 0;
}

bool SoundLoader::isPlaying(int buffer) {
    SoundLibrary* library = ready();
    return library != nullptr && library->isPlaying(buffer);
}

std::vector<std::string> soundModuleFiles(const std::string& programPath,
                                          const std::string& moduleName,
                                          const std::string& installedFolderFromProgram) {
    // Only absolute paths: a bare name would make dlopen search the system's library path, and
    // a relative one the current folder.
    if (programPath.empty() || programPath.front() != '/') return {};
    const std::string::size_type slash = programPath.rfind('/');
    const std::string folder = programPath.substr(0, slash + 1);
    std::vector<std::string> files{folder + moduleName};
    if (!installedFolderFromProgram.empty()) {
        files.push_back(folder + installedFolderFromProgram + "/" + moduleName);
    }
    return files;
}

std::string programPath() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof path) return {};
    return std::string(path, static_cast<std::size_t>(length));
}
