#pragma once
// The audio module's state: one set per process, filled at start-up by
// AudioSystem::Init and SoundSpace::InitSounds. The bank, bus, channel-group
// and event lists never change after start-up; the cue list changes only
// through the editor, which keeps the cue count beside it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/vec3.hpp>
#include <json/value.h>

#include "platform/fmod/low_level.h"
#include "platform/fmod/studio.h"
#include "sound/sound_cue.h"
#include "sound/sound_event.h"

namespace audio {

struct BusRecord {
    FMOD::Studio::Bus bus;
    std::string name;
};

struct Listener {
    glm::vec3 position{0.0f};
    glm::vec3 velocity{0.0f};
    glm::vec3 forward{0.0f};
    glm::vec3 up{0.0f};
};

inline FMOD::Studio::System studioSystem;
inline FMOD::System lowLevelSystem;
inline FMOD::FMOD_RESULT lastResult = FMOD::kOk;

inline std::vector<FMOD::Studio::Bank> banks;  // sample banks, in list order
inline std::vector<BusRecord> buses;
inline std::vector<FMOD::ChannelGroup> channelGroups;
inline std::vector<SoundEvent> events;

inline std::vector<std::unique_ptr<SoundCueBank>> cues;
// Kept beside the cue list: the storage file's "Cue Number", counted up and
// down by the editor.
inline int32_t cueCount = 0;

// An entry of the storage file that made no cue (its event is in no loaded
// bank, its name is taken, ...): written back as it was read, after the
// cues, so that a bank left out for one run loses nothing. Members the entry
// lacked are null.
struct StoredCue {
    Json::Value name;
    Json::Value eventPath;
    Json::Value volume;
};
inline std::vector<StoredCue> unmadeCues;
// Entries at or past the file's "Cue Number" (a hand edit): they make no cue
// and are written back after the others, still past the count.
inline std::vector<StoredCue> cuesPastCount;
// The file as read less its cue entries and "Cue Number": members of the
// root and of "Sounds" that no cue is made from, written back by name.
inline Json::Value storageOthers;
// Whether the cue list stands for a storage file: false when none could be
// read, and then the file is not written until a cue has been made.
inline bool storageRead = false;

inline Listener listener;
inline FMOD::FMOD_3D_ATTRIBUTES listenerAttributes;

inline bool musicMuted = false;
inline bool sfxMuted = false;
inline bool masterMuted = false;

// Stores the result as the last result and passes it to the result handler.
FMOD::FMOD_RESULT Handled(FMOD::FMOD_RESULT result);
// The same for a call on a file: its line names the file between the
// number and the text.
FMOD::FMOD_RESULT Handled(FMOD::FMOD_RESULT result, const std::string& file);

}  // namespace audio
