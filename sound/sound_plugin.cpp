// The loadable sound module: the sound library on SDL2 behind the one exported factory. The program
// opens it with dlopen (sound_loader.h), so SDL's libraries load beside Qt's instead of before.

#include "sound/ds_library.h"
#include "sound/sound_library.h"

extern "C" __attribute__((visibility("default"))) SoundLibrary* quorvelSoundLibrary() {
    return &dsLibrary();
}
