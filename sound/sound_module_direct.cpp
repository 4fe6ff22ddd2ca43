#include "sound/ds_library.h"
#include "sound/sound_module.h"

#include <utility>

SoundModule::SoundModule(WarningSink warn) : SoundModule(std::move(warn), dsLibrary()) {}
