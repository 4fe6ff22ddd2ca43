#pragma once

#include <stdlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace audiotest {

// Without a driver named, SDL would look for real sound hardware. ctest names the silent
// "dummy" driver; this does the same when the test program is run by hand.
inline void useSilentAudioDriver() {
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// Names another audio driver for the lifetime of the object.
class ScopedAudioDriver {
  public:
    explicit ScopedAudioDriver(const char* driver) {
        if (const char* old = ::getenv("SDL_AUDIODRIVER")) previous_ = old;
        ::setenv("SDL_AUDIODRIVER", driver, 1);
    }
    ~ScopedAudioDriver() {
        if (previous_) {
            ::setenv("SDL_AUDIODRIVER", previous_->c_str(), 1);
        } else {
            ::unsetenv("SDL_AUDIODRIVER");
        }
    }
    ScopedAudioDriver(const ScopedAudioDriver&) = delete;
    ScopedAudioDriver& operator=(const ScopedAudioDriver&) = delete;

  private:
    std::optional<std::string> previous_;
};

// Polls until the condition holds or the time is up; returns the condition's last value.
template <class Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}
