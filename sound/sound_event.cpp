#include "sound/sound_event.h"

#include "sound/audio_state.h"

SoundEvent::SoundEvent(FMOD::Studio::EventDescription description, FMOD::Studio::System system)
    : system(system), description(description) {
    char buffer[128] = {};
    audio::Handled(description.getPath(buffer, sizeof buffer, nullptr));
    path = buffer;
}
