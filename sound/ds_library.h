#pragma once

#include "sound/sound_library.h"

// The ds… functions of ds.h (SDL2_mixer) as a SoundLibrary.
SoundLibrary& dsLibrary();
