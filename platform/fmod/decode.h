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

// A sound is at most ten minutes long at its own rate, far more than a cue
// needs, and never more than 2^26 samples (128 MB decoded, over twenty
// minutes at 48 kHz), whatever rate its header claims: a file may say any
// rate, and the size handed to OpenAL must stay an int.
constexpr int kMaxSoundSeconds = 600;
constexpr int64_t kMaxSoundSamples = int64_t{1} << 26;

// False when the file cannot be read (a missing file, a folder, FIFO or
// device, one above the reader's size cap) or decoded, holds no samples or
// more than the bound above (refused before it is decoded); problem then
// says why in a designer's words, with the figures of a bound. The file is
// read whole first and decoded from memory.
bool DecodeSound(const std::string& file, DecodedSound& sound, std::string& problem);

}  // namespace FMOD::detail
