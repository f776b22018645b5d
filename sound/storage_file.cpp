// Finding the sound storage file: the save folder's copy first, then the
// shipped one. Neither may end the game: a damaged copy in the save folder
// is set aside as the level code sets aside a damaged saved level, and with
// no readable copy the game starts with no cues.
#include "sound/storage_file.h"

#include <algorithm>

#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/save/json_file.h"
#include "core/save/save_folder.h"
#include "sound/sound_space.h"

namespace {

const std::string kStorageName = std::string(kSoundStorageStem) + ".json";

bool HoldsSounds(const Json::Value& root) { return root.isObject() && root["Sounds"].isObject(); }

}  // namespace

std::string ShippedStoragePath() { return "Audio/" + kStorageName; }

Json::Value SoundSpace::OpenStorage() {
    Json::Value root;
    std::string saved;
    try {
        saved = GetSaveDirectory() + kStorageName;
    } catch (const debug::exception&) {
        // No documents folder: only the shipped copy can be read.
    }
    if (!saved.empty() && ReadSaveFolderFile(saved, root)) {
        if (HoldsSounds(root)) return root;
        SetAsideDamaged(saved, "It holds no \"Sounds\" object.");
    }
    const std::string shipped = ShippedStoragePath();
    std::string problem;
    const JsonFileRead read = ReadJsonFile(shipped, root, problem);
    if (read == JsonFileRead::Read && HoldsSounds(root)) return root;
    if (read == JsonFileRead::Read) problem = "It holds no \"Sounds\" object.";
    std::replace(problem.begin(), problem.end(), '\n', ' ');
    DebugPrint("No sound cues: \"" + shipped + "\" " +
               (read == JsonFileRead::Absent ? "is missing or not a plain file" : "is damaged: " + problem));
    return Json::Value();
}
