#include "sound/sound_emitter.h"

void SoundEmitter::EditInfoDisplay() {}
