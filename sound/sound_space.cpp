#include "sound/sound_space.h"

#include "core/events/events.h"
#include "sound/audio_state.h"

namespace {

// Sound spaces in the level: the first connects the listener, the last
// disconnects it.
int liveSpaces = 0;

}  // namespace

void SoundSpace::Initialize() {
    if (connected) return;
    if (liveSpaces == 0) events::Connect<Json::Value*>("LevelLoad", "Load Sound Stuff", LoadSoundStuff);
    ++liveSpaces;
    connected = true;
}

void SoundSpace::Remove() {
    if (!connected) return;
    connected = false;
    if (--liveSpaces == 0) events::Disconnect("LevelLoad", "Load Sound Stuff");
}

void SoundSpace::Copy(const RootComponent*) {}

Json::Value SoundSpace::Serialize() { return Json::Value(); }

void SoundSpace::Deserialize(Json::Value) {}

void SoundSpace::LoadSoundStuff(Json::Value*) {
    if (audio::masterMuted) {
        SetBusMute("Master Bus", true);
        return;
    }
    if (audio::musicMuted) SoundCueBank::MuteMusic();
    if (audio::sfxMuted) SoundCueBank::MuteSfx();
}
