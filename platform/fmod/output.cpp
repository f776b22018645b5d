#include "platform/fmod/output.h"

#include <algorithm>

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include "platform/fmod/decode.h"
#include "platform/fmod/loopback.h"
#include "platform/files.h"

namespace FMOD::detail {

namespace {

constexpr size_t kCaptureLimit = 30 * Loopback::kSampleRate * 2;
constexpr float kSpeedOfSound = 343.3f;

}  // namespace

Vector3 ToOutput(Vector3 v) { return {v.x, v.y, -v.z}; }

Output::~Output() {
    if (context) {
        for (ALuint source : voices) alDeleteSources(1, &source);
        for (const Buffer& entry : buffers) {
            ALuint name = entry.name;
            if (name) alDeleteBuffers(1, &name);
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
    }
    if (device) alcCloseDevice(device);
}

bool Output::Open() {
    device = alcOpenDevice(nullptr);
    if (device) {
        context = alcCreateContext(device, nullptr);
    } else if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        renderSamples = reinterpret_cast<void*>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        device = open && renderSamples ? open(nullptr) : nullptr;
        if (device) {
            const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                                         ALC_FREQUENCY, Loopback::kSampleRate, ALC_HRTF_SOFT, ALC_FALSE, 0};
            context = alcCreateContext(device, attributes);
            loopback = context != nullptr;
        }
    }
    if (!context || !alcMakeContextCurrent(context)) return false;
    alDistanceModel(AL_LINEAR_DISTANCE_CLAMPED);
    return true;
}

void Output::Render(double seconds) {
    if (!loopback || seconds <= 0.0) return;
    const auto frames = static_cast<ALCsizei>(seconds * Loopback::kSampleRate);
    if (frames <= 0) return;
    std::vector<float> rendered(static_cast<size_t>(frames) * 2);
    reinterpret_cast<LPALCRENDERSAMPLESSOFT>(renderSamples)(device, rendered.data(), frames);
    capture.insert(capture.end(), rendered.begin(), rendered.end());
    while (capture.size() > kCaptureLimit) capture.pop_front();
}

std::vector<float> Output::TakeCapture() {
    std::vector<float> samples(capture.begin(), capture.end());
    capture.clear();
    return samples;
}

void Output::SetListener(const FMOD_3D_ATTRIBUTES& attributes) {
    if (!context) return;
    const Vector3 position = ToOutput(attributes.position);
    const Vector3 velocity = ToOutput(attributes.velocity);
    const Vector3 forward = ToOutput(attributes.forward);
    const Vector3 up = ToOutput(attributes.up);
    alListener3f(AL_POSITION, position.x, position.y, position.z);
    alListener3f(AL_VELOCITY, velocity.x, velocity.y, velocity.z);
    const ALfloat orientation[] = {forward.x, forward.y, forward.z, up.x, up.y, up.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

void Output::SetDoppler(float dopplerScale, float distanceFactor) {
    if (!context) return;
    alDopplerFactor(dopplerScale >= 0.0f ? dopplerScale : 0.0f);
    if (distanceFactor > 0.0f) alSpeedOfSound(kSpeedOfSound * distanceFactor);
}

uint32_t Output::NewVoice() {
    if (!context) return 0;
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) return 0;
    voices.push_back(source);
    return source;
}

void Output::DeleteVoice(uint32_t voice) {
    if (!context || !voice) return;
    ALuint source = voice;
    alSourceStop(source);
    alDeleteSources(1, &source);
    std::erase(voices, voice);
}

uint32_t Output::BufferFor(const std::string& file, std::string& problem) {
    // Kept under the file's one spelling, so that "long.flac" and
    // "./long.flac" share one decoded sound.
    const std::string key = platform::NormalPath(file);
    auto known = std::find_if(buffers.begin(), buffers.end(), [&](const Buffer& entry) { return entry.file == key; });
    if (known == buffers.end()) {
        known = buffers.insert(buffers.end(), Decode(file));
        known->file = key;
    }
    problem = known->problem;
    return known->name;
}

// A file that does not decode is remembered too, so it is tried once.
Output::Buffer Output::Decode(const std::string& file) const {
    Buffer buffer{file, 0, "there is no audio output"};
    if (!context) return buffer;
    DecodedSound sound;
    if (!DecodeSound(file, sound, buffer.problem)) return buffer;
    alGetError();
    ALuint name = 0;
    alGenBuffers(1, &name);
    alBufferData(name, AL_FORMAT_MONO16, sound.samples.data(),
                 static_cast<ALsizei>(sound.samples.size() * sizeof(int16_t)), sound.sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &name);
        buffer.problem = "the audio output refused its " + std::to_string(sound.samples.size()) + " samples at " +
                         std::to_string(sound.sampleRate) + " Hz";
        return buffer;
    }
    buffer.name = name;
    return buffer;
}

}  // namespace FMOD::detail
