// The sound storage file: the cue list between runs.
#include <climits>
#include <sstream>

#include <json/reader.h>
#include <json/writer.h>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/json/json_values.h"
#include "core/save/replace_file.h"
#include "core/save/save_folder.h"
#include "sound/audio_state.h"
#include "sound/audio_system.h"
#include "sound/sound_space.h"

namespace {

const std::string kStorageName = std::string("SoundStorage") + ".json";

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

}  // namespace

void SoundSpace::InitSounds() {
    AudioSystem::SetListener({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    LoadCues();
}

std::ifstream SoundSpace::OpenStorage() {
    std::ifstream in;
    try {
        in.open(GetSaveDirectory() + kStorageName);
    } catch (const debug::exception&) {
        // No documents folder: only the shipped copy can be read.
    }
    if (!in.is_open()) in.open("Audio/" + kStorageName);
    return in;
}

void SoundSpace::LoadCues() {
    std::ifstream in = OpenStorage();
    Json::Value root;
    in >> root;
    const Json::Value& sounds = Member(root, "Sounds");
    audio::cueCount = CountOf(Member(sounds, "Cue Number"));
    for (const auto& cue : audio::cues) cue->DisconnectFades();
    audio::cues.clear();
    for (int32_t i = 0; i < audio::cueCount && static_cast<int64_t>(audio::cues.size()) < audio::cueCount; ++i) {
        const std::string key = "Sound" + std::to_string(i);
        const Json::Value& name = Member(sounds, key);
        const Json::Value& path = Member(sounds, key + "Evt");
        // The list ends at the first cue the file does not hold.
        if (!name.isString() || !path.isString()) break;
        const Json::Value& volume = Member(sounds, key + "Evt" + "Vol");
        if (SoundCueBank* cue = CreateCue(path.asString(), name.asString()))
            cue->volume = JsonFloat(volume, 0.0f);
    }
}

void SoundSpace::SaveStorage() {
    Json::Value sounds(Json::objectValue);
    uint32_t written = 0;
    for (int32_t i = 0; i < audio::cueCount && static_cast<size_t>(i) < audio::cues.size(); ++i) {
        const SoundCueBank& cue = *audio::cues[static_cast<size_t>(i)];
        const std::string key = "Sound" + std::to_string(i);
        sounds[key] = cue.name;
        sounds[key + "Evt"] = cue.eventPath;
        sounds[key + "Evt" + "Vol"] = static_cast<double>(cue.volume);
        ++written;
    }
    sounds["Cue Number"] = written;
    Json::Value root;
    root["Sounds"] = sounds;
    std::ostringstream out;
    Json::StyledStreamWriter().write(out, root);
    ReplaceFile("Audio/" + kStorageName, out.str());
}

void SoundSpace::ClearCueLocationFile() {
    std::ofstream file("Audio/Cue Location", std::ios::trunc);
    if (!file.is_open()) DebugPrint("coldn't open Cue Location for write");
}
