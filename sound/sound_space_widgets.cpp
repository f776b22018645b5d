#include "sound/sound_space.h"

// A sound space has nothing to edit.
void SoundSpace::EditInfoDisplay() {}
