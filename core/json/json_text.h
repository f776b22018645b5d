#pragma once
// JSON documents as the game's files hold them: read strictly, written so
// that they always read back.

#include <string>

#include <json/value.h>

// Parses one whole document; text after it (other than white space) is
// damage like any other. False, with the reader's report in errors, when the
// text is not one document.
bool ParseJsonText(const std::string& text, Json::Value& document, std::string& errors);

// The document as styled text, tab-indented. A number the reader would
// refuse (an infinity is written as 1e+9999) is written as the nearest
// finite float instead, and not-a-number as 0.
std::string FormatJsonText(const Json::Value& document);

// A number as a float; beyond the float range it reads as the nearest
// finite float, never as an infinity that could not be written back.
float FiniteFloat(const Json::Value& number);
