#pragma once
// A sound cue: a named, playable sound with one event instance, a volume, a
// kind taken from the event's path, a muted state and fades. Fades run as
// "LogicUpdate" listeners under "SoundStartFadeIn" and "SoundStopLogicUpdate"
// followed by the cue's name. Cues live in audio::cues; a cue pointer stays
// valid until the editor removes that cue.

#include <cstdint>
#include <string>

#include "platform/fmod/studio.h"

class SoundEvent;

class SoundCueBank {
public:
    enum Kind : int32_t { kMusic = 1, kEffect = 2, kFadeIn = 3, kUnclassified = 4 };

    // Binds the cue to a bank's event: a new instance, stopped.
    void CreateInstance(const SoundEvent& event);
    void SetName(const std::string& newName);
    std::string GetName() const { return name; }
    std::string GetEventPath() const { return eventPath; }
    float GetVolume() const { return volume; }
    void SetMuted(bool mute);

    // Both write a line and do nothing else for a null cue. Play's volume
    // 1.0 stands for the cue's own volume (scripts pass 1.0).
    static void Play(SoundCueBank* cue, float playVolume);
    static void Stop(SoundCueBank* cue);

    // Disconnects whichever fade listeners are connected.
    void DisconnectFades();
    // Before the cue leaves the list for good: its fade listeners go and its
    // instance is released (a sound still playing finishes first).
    void Retire();

    void FadeInStep(float dt);
    void FadeOutStep(float dt);

    // Over the whole cue list. Unmuting music leaves fade-in sounds muted;
    // effects have no unmute.
    static void MuteMusic();
    static void UnmuteMusic();
    static void MuteSfx();

    std::string name = "Need Name";
    std::string eventPath;
    bool muted = false;
    bool stopping = false;
    bool fadingIn = false;
    bool startedByFade = false;
    bool fadeOutConnected = false;
    bool fadeInConnected = false;
    float volume = 1.0f;
    float muteVolume = 0.0f;
    int32_t kind = kUnclassified;
    FMOD::Studio::EventDescription description;
    FMOD::Studio::EventInstance instance;

private:
    std::string FadeInId() const { return "SoundStartFadeIn" + name; }
    std::string FadeOutId() const { return "SoundStopLogicUpdate" + name; }
    void ConnectFadeIn();
    void ConnectFadeOut();
    void DisconnectFadeIn();
    void DisconnectFadeOut();
};
