#pragma once
// Paths and JSON file access shared by the level files; not for use outside
// core/level.

#include <string>

#include <json/value.h>

std::string ShippedLevelPath(const std::string& name);
// These two throw debug::exception when the save folder cannot be made.
std::string SavedLevelPath(const std::string& name);
std::string SaveFilePath();

enum class JsonFileRead {
    Read,     // document holds the file's one JSON document
    Absent,   // no file there, or no plain file (a folder, a FIFO, a device)
    Damaged,  // a plain file that is too large or not one JSON document
};

// Reads a level or save file; problem says what is wrong when it is not Read
// (for a missing file, the reader's report on empty text).
JsonFileRead ReadJsonFile(const std::string& path, Json::Value& document, std::string& problem);

// Logs that the file at path is damaged, with what is wrong, and sets it
// aside beside itself with ".damaged" appended, so it is neither lost nor
// read again.
void SetAsideDamaged(const std::string& path, const std::string& problem);

// Reads a file of the save folder. A damaged one is logged with its path and
// what is wrong, and set aside beside itself with ".damaged" appended, so it
// is neither lost nor read again; false unless the file was read.
bool ReadSaveFolderFile(const std::string& path, Json::Value& document);

// The current level as its file holds it: tile map, entities in creation
// order, lighting values.
Json::Value LevelDocument();

// Writes the document, tab-indented, over path through a temporary file; a
// failure writes nothing, is logged and gives false.
bool WriteJsonFile(const std::string& path, const Json::Value& document);
