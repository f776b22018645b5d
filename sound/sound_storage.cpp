// The sound storage file: the cue list between runs.
#include <cctype>
#include <climits>
#include <fstream>
#include <set>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/json/json_text.h"
#include "core/json/json_values.h"
#include "core/save/json_file.h"
#include "sound/audio_state.h"
#include "sound/audio_system.h"
#include "sound/sound_space.h"
#include "sound/storage_file.h"

namespace {

constexpr size_t kPrefixLength = 5;  // "Sound"

// "Cue Number" as a count; anything but a number counts as no cues, and a
// count too large for the counter is cut to its largest value.
int32_t CountOf(const Json::Value& value) {
    if (value.isInt()) return value.asInt();
    if (value.isUInt64() || (value.isDouble() && value.asDouble() > 0)) return INT32_MAX;
    return 0;
}

const Json::Value& Member(const Json::Value& object, const std::string& key) {
    static const Json::Value null;
    return object.isObject() ? object[key] : null;
}

// The cue index of one of a cue's keys (Sound12, Sound12Evt, Sound12EvtVol),
// or -1 for any other key; indices are plain decimal, never zero-padded.
int64_t IndexOf(const std::string& key) {
    if (key.rfind("Sound", 0) != 0) return -1;
    size_t end = kPrefixLength;
    while (end < key.size() && end < kPrefixLength + 10 && std::isdigit(static_cast<unsigned char>(key[end]))) ++end;
    if (end == kPrefixLength || (key[kPrefixLength] == '0' && end > kPrefixLength + 1)) return -1;
    const std::string rest = key.substr(end);
    if (!rest.empty() && rest != "Evt" && rest != "EvtVol") return -1;
    return std::stoll(key.substr(kPrefixLength, end - kPrefixLength));
}

// The indices below the count that the file holds any key of, in order.
// Walking the keys rather than the count keeps an absurd count cheap.
std::set<int64_t> StoredIndices(const Json::Value& sounds, int32_t count) {
    std::set<int64_t> indices;
    if (!sounds.isObject()) return indices;
    for (const std::string& key : sounds.getMemberNames()) {
        const int64_t index = IndexOf(key);
        if (index >= 0 && index < count) indices.insert(index);
    }
    return indices;
}

// Makes the cue an entry describes; false, with one line, when it cannot.
bool MakeCue(const audio::StoredCue& entry, const std::string& key) {
    if (!entry.name.isString() || !entry.eventPath.isString()) {
        DebugPrint("Sound storage entry " + key + " has no cue name or no event path; it is kept as it is");
        return false;
    }
    const std::string name = entry.name.asString();
    const std::string path = entry.eventPath.asString();
    SoundCueBank* cue = nullptr;
    try {
        cue = SoundSpace::CreateCue(path, name);
    } catch (const debug::exception& error) {
        DebugPrint("Cue \"" + name + "\" not made from the event path \"" + path + "\": " + error.what());
        return false;
    }
    if (!cue) return false;
    cue->volume = JsonFloat(entry.volume, 0.0f);
    return true;
}

}  // namespace

void SoundSpace::InitSounds() {
    AudioSystem::SetListener({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    LoadCues();
}

void SoundSpace::LoadCues() {
    const Json::Value sounds = OpenStorage();
    audio::storageRead = sounds.isObject();
    audio::cueCount = CountOf(Member(sounds, "Cue Number"));
    for (const auto& cue : audio::cues) cue->DisconnectFades();
    audio::cues.clear();
    audio::unmadeCues.clear();
    for (const int64_t i : StoredIndices(sounds, audio::cueCount)) {
        const std::string key = "Sound" + std::to_string(i);
        const audio::StoredCue entry{Member(sounds, key), Member(sounds, key + "Evt"),
                                     Member(sounds, key + "Evt" + "Vol")};
        if (!MakeCue(entry, key)) audio::unmadeCues.push_back(entry);
    }
}

void SoundSpace::SaveStorage() {
    // With no file read and no cue made, a damaged or missing file stays as
    // it is rather than becoming an empty one.
    if (!audio::storageRead && audio::cues.empty()) return;
    Json::Value sounds(Json::objectValue);
    uint32_t written = 0;
    const auto put = [&](const Json::Value& name, const Json::Value& eventPath, const Json::Value& volume) {
        const std::string key = "Sound" + std::to_string(written++);
        if (!name.isNull()) sounds[key] = name;
        if (!eventPath.isNull()) sounds[key + "Evt"] = eventPath;
        if (!volume.isNull()) sounds[key + "Evt" + "Vol"] = volume;
    };
    for (int32_t i = 0; i < audio::cueCount && static_cast<size_t>(i) < audio::cues.size(); ++i) {
        const SoundCueBank& cue = *audio::cues[static_cast<size_t>(i)];
        put(cue.name, cue.eventPath, WrittenFloat(cue.volume));
    }
    for (const audio::StoredCue& entry : audio::unmadeCues) put(entry.name, entry.eventPath, entry.volume);
    sounds["Cue Number"] = written;
    Json::Value root;
    root["Sounds"] = sounds;
    if (WriteJsonFile(ShippedStoragePath(), root)) audio::storageRead = true;
}

void SoundSpace::ClearCueLocationFile() {
    std::ofstream file("Audio/Cue Location", std::ios::trunc);
    if (!file.is_open()) DebugPrint("coldn't open Cue Location for write");
}
