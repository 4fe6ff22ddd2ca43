#pragma once

#include "sound/sound_library.h"

// The ds… functions of ds.h (on SDL2) as a SoundLibrary.
SoundLibrary& dsLibrary();
