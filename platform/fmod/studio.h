#pragma once
// The studio interface: banks of events routed to a tree of buses, played
// as event instances. Every handle is a plain value naming its object by an
// id that is never reused: once the object is gone every call through the
// handle returns kErrInvalidHandle and writes neutral outputs (0, empty
// text, a stopped state), so a stale handle is always safe to use.
//
// Text outputs take a buffer and its size: at most size - 1 characters
// and a terminating NUL are written; *retrieved (when not null) receives the
// size the whole text needs; a cut text returns kErrTruncated.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/fmod/results.h"
#include "platform/fmod/types.h"

namespace FMOD {

class System;

namespace Studio {

class EventInstance;

// One playing (or playable) copy of an event. Starts stopped.
class EventInstance {
public:
    bool isValid() const;
    // Plays from the beginning; restarts an instance that is playing.
    FMOD_RESULT start() const;
    // kStopAllowFadeOut fades over the event's fade-out time, then stops.
    FMOD_RESULT stop(StopMode mode) const;
    // The handle dies now; the sound itself goes once it has stopped.
    FMOD_RESULT release() const;
    FMOD_RESULT setVolume(float volume) const;
    FMOD_RESULT getVolume(float* volume) const;
    // Milliseconds into the sound; 0 while stopped.
    FMOD_RESULT getTimelinePosition(int* position) const;
    FMOD_RESULT getPlaybackState(PlaybackState* state) const;
    FMOD_RESULT set3DAttributes(const FMOD_3D_ATTRIBUTES* attributes) const;
    // kMinimumDistance: full volume up to it; kMaximumDistance: silent from it.
    FMOD_RESULT setProperty(EventProperty property, float value) const;

    uint64_t id = 0;
};

class EventDescription {
public:
    bool isValid() const;
    FMOD_RESULT getPath(char* path, int size, int* retrieved) const;
    FMOD_RESULT loadSampleData() const;
    FMOD_RESULT createInstance(EventInstance* instance) const;

    uint64_t id = 0;
};

class Bus {
public:
    bool isValid() const;
    FMOD_RESULT getPath(char* path, int size, int* retrieved) const;
    // Mute and pause act on every event routed to the bus or below it.
    FMOD_RESULT setMute(bool mute) const;
    FMOD_RESULT getMute(bool* mute) const;
    FMOD_RESULT setPaused(bool paused) const;
    FMOD_RESULT getPaused(bool* paused) const;
    FMOD_RESULT stopAllEvents(StopMode mode) const;

    uint64_t id = 0;
};

class Bank {
public:
    bool isValid() const;
    FMOD_RESULT getPath(char* path, int size, int* retrieved) const;
    FMOD_RESULT getLoadingState(LoadingState* state) const;
    // Asks for the bank's sounds to be decoded; System::update does it.
    FMOD_RESULT loadSampleData() const;
    FMOD_RESULT getSampleLoadingState(LoadingState* state) const;
    FMOD_RESULT getEventCount(int* count) const;
    // Fills at most capacity handles, in the bank's order; *count gets how many.
    FMOD_RESULT getEventList(EventDescription* array, int capacity, int* count) const;
    FMOD_RESULT getBusCount(int* count) const;
    FMOD_RESULT getBusList(Bus* array, int capacity, int* count) const;
    // Not FMOD's: one line for each event whose sound was left out once the
    // sample data loaded, naming the bank file, the event (by its path when
    // a strings bank gives one), the sound file and why.
    FMOD_RESULT getSoundProblems(std::vector<std::string>* lines) const;

    uint64_t id = 0;
};

// The one studio system of the process.
class System {
public:
    static FMOD_RESULT create(System* system, uint32_t headerVersion = kHeaderVersion);
    bool isValid() const;
    // Opens the output: the default sound device, or, when there is none, a
    // loopback device that update renders in step with the clock.
    FMOD_RESULT initialize(int maxChannels, uint32_t studioFlags, uint32_t flags, void* extraDriverData) const;
    FMOD_RESULT getLowLevelSystem(FMOD::System* lowLevel) const;
    // Bank files are JSON; a file holding "strings" names the objects of
    // the other banks.
    FMOD_RESULT loadBankFile(const char* path, uint32_t flags, Bank* bank) const;
    // Loads requested sample data, advances fades and ended sounds, frees
    // released instances and renders the loopback device.
    FMOD_RESULT update() const;
    FMOD_RESULT setListenerAttributes(int listener, const FMOD_3D_ATTRIBUTES* attributes) const;
    FMOD_RESULT getListenerAttributes(int listener, FMOD_3D_ATTRIBUTES* attributes) const;

    uint64_t id = 0;
};

}  // namespace Studio
}  // namespace FMOD
