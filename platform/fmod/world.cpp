#include "platform/fmod/world.h"

#include <algorithm>
#include <cstring>

#include <AL/al.h>

namespace FMOD::detail {

World& TheWorld() {
    static World world;
    return world;
}

FMOD_RESULT CopyText(const std::string& text, char* buffer, int size, int* retrieved) {
    if (retrieved) *retrieved = static_cast<int>(text.size()) + 1;
    if (!buffer || size <= 0) return kErrInvalidParam;
    const size_t copied = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
    return copied < text.size() ? kErrTruncated : kOk;
}

FMOD_RESULT CopyPath(const std::string* key, char* buffer, int size, int* retrieved) {
    const auto found = key ? TheWorld().paths.find(*key) : TheWorld().paths.end();
    if (found == TheWorld().paths.end()) {
        CopyText("", buffer, size, nullptr);
        if (retrieved) *retrieved = 0;
        return key ? kErrPathUnknown : kErrInvalidHandle;
    }
    return CopyText(found->second, buffer, size, retrieved);
}

uint32_t SoundOf(DescriptionData& description) {
    if (description.soundFile.empty() || !description.soundProblem.empty()) return 0;
    return TheWorld().output.BufferFor(description.soundFile, description.soundProblem);
}

namespace {

// Walks from a bus to its root; stops at a key seen before, so a bank whose
// buses name each other as parents cannot loop.
template <typename Visit>
void WalkUp(const std::string& busKey, Visit visit) {
    World& world = TheWorld();
    std::vector<std::string> seen;
    std::string key = busKey;
    while (!key.empty() && std::find(seen.begin(), seen.end(), key) == seen.end()) {
        seen.push_back(key);
        auto found = world.busByKey.find(key);
        if (found == world.busByKey.end()) return;
        const BusData& bus = world.buses.at(found->second);
        visit(bus);
        key = bus.parentKey;
    }
}

}  // namespace

Routing RoutingOf(const std::string& busKey) {
    Routing routing;
    WalkUp(busKey, [&](const BusData& bus) {
        routing.mute = routing.mute || bus.mute;
        routing.paused = routing.paused || bus.paused;
    });
    return routing;
}

bool RoutedThrough(const std::string& busKey, const std::string& key) {
    bool through = false;
    WalkUp(busKey, [&](const BusData& bus) { through = through || bus.key == key; });
    return through;
}

namespace {

const std::string& BusOf(const InstanceData& instance) {
    static const std::string none;
    const DescriptionData* description = Find(TheWorld().descriptions, instance.description);
    return description ? description->busKey : none;
}

}  // namespace

void ApplyGain(InstanceData& instance) {
    if (!instance.voice) return;
    const float gain = RoutingOf(BusOf(instance)).mute ? 0.0f : std::max(0.0f, instance.volume * instance.fade);
    alSourcef(instance.voice, AL_GAIN, gain);
}

void ApplyPause(InstanceData& instance) {
    if (!instance.voice || instance.state == Studio::kStopped) return;
    ALint playing = 0;
    alGetSourcei(instance.voice, AL_SOURCE_STATE, &playing);
    const bool paused = RoutingOf(BusOf(instance)).paused;
    if (paused && playing == AL_PLAYING) alSourcePause(instance.voice);
    if (!paused && playing == AL_PAUSED) alSourcePlay(instance.voice);
}

void StopNow(InstanceData& instance) {
    if (instance.voice) alSourceStop(instance.voice);
    instance.state = Studio::kStopped;
    instance.fade = 1.0f;
    ApplyGain(instance);
}

void NoteEnd(InstanceData& instance) {
    if (!instance.voice || instance.state == Studio::kStopped) return;
    ALint state = 0;
    alGetSourcei(instance.voice, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED || state == AL_INITIAL) StopNow(instance);
}

void BeginStop(InstanceData& instance, Studio::StopMode mode) {
    const DescriptionData* description = Find(TheWorld().descriptions, instance.description);
    const bool fades = mode == Studio::kStopAllowFadeOut && description && description->fadeOut > 0.0f;
    if (instance.state == Studio::kStopped) return;
    if (fades)
        instance.state = Studio::kStopping;
    else
        StopNow(instance);
}

}  // namespace FMOD::detail
