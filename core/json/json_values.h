#pragma once
// Single values read from files that people edit by hand. A value of the
// wrong kind (text for a number, a negative number or one out of range for a
// count, an array for a flag) reads as the fallback, as a missing or null
// one does, and never throws out of a level load. Booleans count as 1 and 0;
// a fractional count is cut to its whole part; a number beyond the float
// range reads as the nearest finite float.

#include <cstdint>
#include <string>

#include <json/value.h>

float JsonFloat(const Json::Value& value, float fallback);
uint32_t JsonUInt(const Json::Value& value, uint32_t fallback);
bool JsonBool(const Json::Value& value, bool fallback);
// Numbers and booleans read in their text form.
std::string JsonString(const Json::Value& value, const std::string& fallback);
