#pragma once
// Paths and JSON file access shared by the level files; not for use outside
// core/level.

#include <string>

#include <json/value.h>

std::string ShippedLevelPath(const std::string& name);
// These two throw debug::exception when the save folder cannot be made.
std::string SavedLevelPath(const std::string& name);
std::string SaveFilePath();

// Reads the file into document when it opens; false when it does not (a
// folder does not). A parse error throws the reader's error.
bool ReadJsonFile(const std::string& path, Json::Value& document);
// Writes the document, tab-indented, over path through a temporary file; a
// failure writes nothing.
void WriteJsonFile(const std::string& path, const Json::Value& document);
