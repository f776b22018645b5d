#pragma once
// Reading the components' own keys. A missing key, or one holding a value of
// the wrong kind (text, an array, an object), reads as 0 or false rather than
// ending the level load; numbers beyond the float range read as the nearest
// finite float.

#include <json/value.h>

float ReadFloat(const Json::Value& json, const char* key);
bool ReadBool(const Json::Value& json, const char* key);
