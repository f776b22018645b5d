#pragma once
// Private to the back end: sound files (WAV, Ogg Vorbis, FLAC and whatever
// else libsndfile reads) decoded to one channel of 16-bit samples.

#include <cstdint>
#include <string>
#include <vector>

namespace FMOD::detail {

struct DecodedSound {
    std::vector<int16_t> samples;  // channels averaged to mono
    int sampleRate = 0;
};

// False when the file cannot be read (see ReadDataFile) or decoded, or holds
// no samples. The file is read whole first and decoded from memory.
bool DecodeSound(const std::string& file, DecodedSound& sound);

}  // namespace FMOD::detail
