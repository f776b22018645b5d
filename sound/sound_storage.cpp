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

// The indices that the file holds any key of, in order. Walking the keys
// rather than the count keeps an absurd count cheap.
std::set<int64_t> StoredIndices(const Json::Value& sounds) {
    std::set<int64_t> indices;
    if (!sounds.isObject()) return indices;
    for (const std::string& key : sounds.getMemberNames())
        if (const int64_t index = IndexOf(key); index >= 0) indices.insert(index);
    return indices;
}

// The file's root less "Cue Number" and the cue entries: what is left is
// written back as it was read.
Json::Value OthersOf(const Json::Value& root) {
    if (!root.isObject()) return Json::Value();
    Json::Value others = root;
    Json::Value& sounds = others["Sounds"];
    for (const std::string& key : root["Sounds"].getMemberNames())
        if (key == "Cue Number" || IndexOf(key) >= 0) sounds.removeMember(key);
    return others;
}

// One line for the entries a hand-edited "Cue Number" leaves out.
void SayPastCount(const Json::Value& number, int64_t first, int64_t last) {
    const std::string count =
        number.isNull() ? "missing" : number.isNumeric() ? std::to_string(audio::cueCount) : "not a number";
    const std::string entries = first == last ? "entry Sound" + std::to_string(first) + " makes no cue and is kept as it is"
                                              : "entries Sound" + std::to_string(first) + " to Sound" +
                                                    std::to_string(last) + " make no cue and are kept as they are";
    DebugPrint("Sound storage \"Cue Number\" is " + count + ": " + entries);
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
    const Json::Value root = OpenStorage();
    const Json::Value& sounds = Member(root, "Sounds");
    audio::storageRead = sounds.isObject();
    audio::cueCount = CountOf(Member(sounds, "Cue Number"));
    for (const auto& cue : audio::cues) cue->DisconnectFades();
    audio::cues.clear();
    audio::unmadeCues.clear();
    audio::cuesPastCount.clear();
    audio::storageOthers = OthersOf(root);
    std::vector<int64_t> pastCount;
    for (const int64_t i : StoredIndices(sounds)) {
        const std::string key = "Sound" + std::to_string(i);
        const audio::StoredCue entry{Member(sounds, key), Member(sounds, key + "Evt"),
                                     Member(sounds, key + "Evt" + "Vol")};
        if (i >= audio::cueCount) {
            audio::cuesPastCount.push_back(entry);
            pastCount.push_back(i);
        } else if (!MakeCue(entry, key)) {
            audio::unmadeCues.push_back(entry);
        }
    }
    if (!pastCount.empty()) SayPastCount(Member(sounds, "Cue Number"), pastCount.front(), pastCount.back());
}

void SoundSpace::SaveStorage() {
    // With no file read and no cue made, a damaged or missing file stays as
    // it is rather than becoming an empty one.
    if (!audio::storageRead && audio::cues.empty()) return;
    Json::Value root = audio::storageOthers.isObject() ? audio::storageOthers : Json::Value(Json::objectValue);
    Json::Value sounds = root["Sounds"].isObject() ? root["Sounds"] : Json::Value(Json::objectValue);
    uint32_t written = 0;
    const auto put = [&](const audio::StoredCue& entry) {
        const std::string key = "Sound" + std::to_string(written++);
        if (!entry.name.isNull()) sounds[key] = entry.name;
        if (!entry.eventPath.isNull()) sounds[key + "Evt"] = entry.eventPath;
        if (!entry.volume.isNull()) sounds[key + "Evt" + "Vol"] = entry.volume;
    };
    for (int32_t i = 0; i < audio::cueCount && static_cast<size_t>(i) < audio::cues.size(); ++i) {
        const SoundCueBank& cue = *audio::cues[static_cast<size_t>(i)];
        put({cue.name, cue.eventPath, WrittenFloat(cue.volume)});
    }
    for (const audio::StoredCue& entry : audio::unmadeCues) put(entry);
    sounds["Cue Number"] = written;
    // Still past the count, so that they make no cue next time either.
    for (const audio::StoredCue& entry : audio::cuesPastCount) put(entry);
    root["Sounds"] = sounds;
    if (WriteJsonFile(ShippedStoragePath(), root)) audio::storageRead = true;
}

void SoundSpace::ClearCueLocationFile() {
    std::ofstream file("Audio/Cue Location", std::ios::trunc);
    if (!file.is_open()) DebugPrint("coldn't open Cue Location for write");
}
