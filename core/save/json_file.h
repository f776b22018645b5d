#pragma once
// JSON files that hold a player's or designer's work: read through the safe
// reader, set aside when damaged, written through a temporary file.

#include <string>

#include <json/value.h>

enum class JsonFileRead {
    Read,     // document holds the file's one JSON document
    Absent,   // no file there, or no plain file (a folder, a FIFO, a device)
    Damaged,  // a plain file that is too large or not one JSON document
};

// Reads a JSON data file; problem says what is wrong when it is not Read.
JsonFileRead ReadJsonFile(const std::string& path, Json::Value& document, std::string& problem);

// Logs that the file at path is damaged, with what is wrong, and sets it
// aside beside itself with ".damaged" appended, so it is neither lost nor
// read again.
void SetAsideDamaged(const std::string& path, const std::string& problem);

// Reads a file of the save folder. A damaged one is logged with its path and
// what is wrong, and set aside beside itself with ".damaged" appended, so it
// is neither lost nor read again; false unless the file was read.
bool ReadSaveFolderFile(const std::string& path, Json::Value& document);

// Writes the document as FormatJsonText lays it out, over path through a
// temporary file; a failure writes nothing, is logged and gives false.
bool WriteJsonFile(const std::string& path, const Json::Value& document);
