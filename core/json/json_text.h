#pragma once
// JSON documents as the game's files hold them: read strictly, written as a
// person would write them, so that they always read back.

#include <string>

#include <json/value.h>

// Parses one whole document; text after it (other than white space) is
// damage like any other. False, with the reader's report in errors, when the
// text is not one document.
bool ParseJsonText(const std::string& text, Json::Value& document, std::string& errors);

// The document as text: four spaces a level, `"key": value`, one member or
// element a line, no trailing spaces, a final newline. Each real is written
// in the shortest form that reads back as the same double, and stays a real
// (50.0, -0.0); a number the reader would refuse (an infinity) is written as
// the nearest finite float instead, and not-a-number as 0.0. Reading the text
// and writing it again gives the same text.
std::string FormatJsonText(const Json::Value& document);

// A number as a float; beyond the float range it reads as the nearest
// finite float, never as an infinity that could not be written back.
float FiniteFloat(const Json::Value& number);

// The double a float is written as: the one its shortest decimal form
// names, so 0.6f is written as 0.6, not as 0.60000002384185791, and reads
// back as 0.6f.
double WrittenFloat(float value);

// For numbers the engine holds as floats and hands over widened to double:
// every real below value that a float holds exactly becomes WrittenFloat of
// that float. Other doubles (a script's) are left as they are.
void WriteAsFloats(Json::Value& value);
