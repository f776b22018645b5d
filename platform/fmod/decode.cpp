#include "platform/fmod/decode.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <sndfile.h>

#include "platform/files.h"

namespace FMOD::detail {

namespace {

// A sound file's bytes as libsndfile's virtual file, read-only.
struct MemoryFile {
    const std::string& bytes;
    sf_count_t position = 0;
};

sf_count_t Length(void* file) { return static_cast<sf_count_t>(static_cast<MemoryFile*>(file)->bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* file) {
    MemoryFile& memory = *static_cast<MemoryFile*>(file);
    const sf_count_t base = whence == SEEK_CUR ? memory.position : whence == SEEK_END ? Length(file) : 0;
    const sf_count_t target = base + offset;
    if (target < 0 || target > Length(file)) return -1;
    memory.position = target;
    return target;
}

sf_count_t Read(void* destination, sf_count_t count, void* file) {
    MemoryFile& memory = *static_cast<MemoryFile*>(file);
    const sf_count_t taken = std::clamp<sf_count_t>(Length(file) - memory.position, 0, std::max<sf_count_t>(count, 0));
    std::copy_n(memory.bytes.data() + memory.position, taken, static_cast<char*>(destination));
    memory.position += taken;
    return taken;
}

sf_count_t Write(const void*, sf_count_t, void*) { return 0; }

sf_count_t Tell(void* file) { return static_cast<MemoryFile*>(file)->position; }

sf_count_t MaxSoundFrames(int sampleRate) {
    return std::min<sf_count_t>(sf_count_t{kMaxSoundSeconds} * sampleRate, kMaxSoundSamples);
}

std::string TooLong(sf_count_t frames, int sampleRate) {
    return "its " + std::to_string(frames) + " samples at " + std::to_string(sampleRate) + " Hz are more than the " +
           std::to_string(MaxSoundFrames(sampleRate)) + " a sound may hold (ten minutes, and never more than " +
           std::to_string(kMaxSoundSamples) + ")";
}

std::string Unreadable(platform::ReadFileResult result) {
    switch (result) {
        case platform::ReadFileResult::Read: break;
        case platform::ReadFileResult::Missing: return "there is no such file";
        case platform::ReadFileResult::NotAFile: return "it is not a plain file";
        case platform::ReadFileResult::TooLarge:
            return "it is larger than " + std::to_string(platform::kMaxReadBytes >> 20) + " MB";
        case platform::ReadFileResult::Failed: return "it could not be read";
    }
    return {};
}

// NaN is silence; beyond full scale (infinities too) is full scale.
int16_t ToSample16(float sample) {
    if (std::isnan(sample)) return 0;
    return static_cast<int16_t>(std::clamp(sample, -1.0f, 1.0f) * 32767.0f);
}

}  // namespace

bool DecodeSound(const std::string& file, DecodedSound& sound, std::string& problem) {
    std::string bytes;
    problem = Unreadable(platform::ReadRegularFile(file, bytes));
    if (problem.empty() && bytes.empty()) problem = "the file is empty";
    if (!problem.empty()) return false;
    MemoryFile memory{bytes};
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    SF_INFO info{};
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> handle(sf_open_virtual(&io, SFM_READ, &info, &memory), sf_close);
    if (!handle) problem = std::string("it is not a sound file that can be read: ") + sf_strerror(nullptr);
    else if (info.channels <= 0) problem = "it has no channels";
    else if (info.samplerate <= 0) problem = "its sample rate is " + std::to_string(info.samplerate) + " Hz";
    else if (info.frames <= 0) problem = "it holds no samples";
    // A small file may hold hours of silence: its length is known before a
    // sample is decoded. The count read is checked too, in case the header
    // is wrong about it.
    else if (info.frames > MaxSoundFrames(info.samplerate)) problem = TooLong(info.frames, info.samplerate);
    if (!problem.empty()) return false;
    const sf_count_t maxFrames = MaxSoundFrames(info.samplerate);
    // Sounds are placed in 3D, which takes one channel.
    constexpr sf_count_t kChunk = 4096;
    std::vector<float> chunk(static_cast<size_t>(kChunk * info.channels));
    sound.samples.clear();
    sound.sampleRate = info.samplerate;
    sf_count_t read = 0;
    while ((read = sf_readf_float(handle.get(), chunk.data(), kChunk)) > 0) {
        for (sf_count_t frame = 0; frame < read; ++frame) {
            float sum = 0.0f;
            for (int channel = 0; channel < info.channels; ++channel) sum += chunk[frame * info.channels + channel];
            sound.samples.push_back(ToSample16(sum / static_cast<float>(info.channels)));
        }
        if (static_cast<sf_count_t>(sound.samples.size()) > maxFrames) {
            problem = TooLong(static_cast<sf_count_t>(sound.samples.size()), info.samplerate);
            return false;
        }
    }
    if (sound.samples.empty()) problem = "it holds no samples";
    return problem.empty();
}

}  // namespace FMOD::detail
