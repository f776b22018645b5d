#pragma once
// Private to the audio module: where the sound storage file lives.

#include <string>

// "Audio/SoundStorage.json": the shipped copy, read when the save folder has
// none, and the only one written.
std::string ShippedStoragePath();
