#pragma once
// The save folder: "Quillmere" inside the user's documents folder. It holds
// the saved copies of levels and the save file.

#include <string>
#include <vector>

// The names, without ".json", of the save folder's own files: the save file
// and the sound storage file. No saved level may take one of them.
inline constexpr const char* kSaveFileStem = "save_file";
inline constexpr const char* kSoundStorageStem = "SoundStorage";

// The save folder's path, ending with a separator. Creates the folder (and a
// missing documents folder) on every call; throws debug::exception when
// there is no documents folder or the folder cannot be made.
std::string GetSaveDirectory();

// The names, without "." + extension, of the plain files in directory whose
// names end in "." + extension, in the directory's own order; empty when the
// directory is missing.
std::vector<std::string> ListFiles(const std::string& directory, const std::string& extension);
