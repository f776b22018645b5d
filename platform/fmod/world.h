#pragma once
// Private to the back end: every object the handles name, by id.

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/fmod/output.h"
#include "platform/fmod/studio.h"

namespace FMOD::detail {

struct BankData {
    std::string file;
    std::string key;
    Studio::LoadingState sampleState = Studio::kUnloaded;
    std::vector<uint64_t> events;
    std::vector<uint64_t> buses;
};

struct BusData {
    std::string key;
    std::string parentKey;  // empty for a root
    bool mute = false;
    bool paused = false;
};

struct DescriptionData {
    std::string key;
    std::string busKey;
    std::string soundFile;     // full path; empty: a silent event
    std::string soundProblem;  // why the sound is left out; the event is then silent
    bool loop = false;
    float fadeOut = 0.0f;  // seconds
    float minDistance = 1.0f;
    float maxDistance = 20.0f;
};

struct InstanceData {
    uint64_t description = 0;
    Studio::PlaybackState state = Studio::kStopped;
    float volume = 1.0f;
    float fade = 1.0f;  // 1 down to 0 while stopping
    float minDistance = 1.0f;
    float maxDistance = 20.0f;
    FMOD_3D_ATTRIBUTES attributes;
    uint32_t voice = 0;  // the output's source, 0 until the first start
    bool released = false;
};

struct World {
    bool created = false;
    bool initialized = false;
    uint64_t nextId = 1;
    uint64_t studioId = 0;
    uint64_t lowLevelId = 0;
    std::unordered_map<uint64_t, BankData> banks;
    std::unordered_map<uint64_t, BusData> buses;
    std::unordered_map<std::string, uint64_t> busByKey;
    std::unordered_map<uint64_t, DescriptionData> descriptions;
    std::unordered_map<uint64_t, InstanceData> instances;
    std::unordered_map<uint64_t, std::string> channelGroups;
    std::unordered_map<std::string, std::string> paths;  // object key -> path, from strings banks
    FMOD_3D_ATTRIBUTES listener;
    float dopplerScale = 1.0f;
    float distanceFactor = 1.0f;
    float rolloffScale = 1.0f;
    std::chrono::steady_clock::time_point lastUpdate;
    Output output;

    uint64_t NewId() { return nextId++; }
};

World& TheWorld();

// Writes text as the header's text-output rule says.
FMOD_RESULT CopyText(const std::string& text, char* buffer, int size, int* retrieved);

// The path the strings banks give key (null: a dead handle), by CopyText.
FMOD_RESULT CopyPath(const std::string* key, char* buffer, int size, int* retrieved);

// The object an id names, or null.
template <typename T>
T* Find(std::unordered_map<uint64_t, T>& table, uint64_t id) {
    auto found = table.find(id);
    return found == table.end() ? nullptr : &found->second;
}

// The event's sound as an output buffer, decoded on first use; 0 for a
// silent event and for a sound left out, whose problem it records.
uint32_t SoundOf(DescriptionData& description);

// Mute and pause of the bus chain above an event (the bus and its parents).
struct Routing {
    bool mute = false;
    bool paused = false;
};
Routing RoutingOf(const std::string& busKey);
// True when the bus or one of its parents has this key.
bool RoutedThrough(const std::string& busKey, const std::string& key);

// Instance operations shared by the bus and the update.
void ApplyGain(InstanceData& instance);
void ApplyPause(InstanceData& instance);
void StopNow(InstanceData& instance);
// A sound that reached its end stops by itself.
void NoteEnd(InstanceData& instance);
void BeginStop(InstanceData& instance, Studio::StopMode mode);

}  // namespace FMOD::detail
