#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sound/sound_library.h"

// The sound module: starts the sound library for the window, loads .wav files by bare name from
// the current directory, shuts the library down, and reports problems in a warning box.
class SoundModule {
  public:
    // Called with the text of a warning; the window shows it in a modal box titled "Quorvel.dll".
    using WarningSink = std::function<void(const std::string& text)>;

    // Over the sound library linked in (sound_module_direct.cpp, in quorvel_sound).
    explicit SoundModule(WarningSink warn);
    // Over the given library, which must outlive the module.
    SoundModule(WarningSink warn, SoundLibrary& library);

    void 初期化_サウンド(long windowHandle);
    // Returns the buffer handle, 0 on any failure (a missing file silently).
    int 読込_WAVファイル(const std::string& fileName, int flags);
    void 終了_サウンド();
    void 表示_サウンドエラー(const std::string& text);

    int soundDevice() const { return soundDevice_; }
    SoundLibrary& library() { return library_; }

  private:
    int streamFromFile(int fd, std::uint64_t size);

    WarningSink warn_;
    SoundLibrary& library_;
    int soundDevice_ = 0;
};
