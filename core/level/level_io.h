#pragma once
// Paths of the level files and the current level as a document; not for use
// outside core/level.

#include <string>

#include <json/value.h>

#include "core/save/json_file.h"

std::string ShippedLevelPath(const std::string& name);
// These two throw debug::exception when the save folder cannot be made.
std::string SavedLevelPath(const std::string& name);
std::string SaveFilePath();

// The current level as its file holds it: tile map, entities in creation
// order, lighting values.
Json::Value LevelDocument();
