#include <algorithm>

#include "platform/fmod/bank_file.h"
#include "platform/fmod/low_level.h"
#include "platform/fmod/world.h"

namespace FMOD::Studio {

using detail::TheWorld;
using detail::World;

namespace {

// A stall longer than this is not rendered: the loopback catches up with
// the clock instead of rendering seconds at once.
constexpr double kLongestStep = 0.25;

World* Live(uint64_t id) {
    World& world = TheWorld();
    return world.created && id == world.studioId ? &world : nullptr;
}

World* Ready(uint64_t id, FMOD_RESULT& result) {
    World* world = Live(id);
    result = !world ? kErrInvalidHandle : !world->initialized ? kErrNotInitialized : kOk;
    return result == kOk ? world : nullptr;
}

// A sound that cannot be used leaves its event silent, not the bank: the
// bank's other events still play (Bank::getSoundProblems says which).
void LoadRequestedSamples(World& world) {
    for (auto& [id, bank] : world.banks) {
        if (bank.sampleState != kLoading) continue;
        for (uint64_t event : bank.events) detail::SoundOf(world.descriptions.at(event));
        bank.sampleState = kLoaded;
    }
}

void AdvanceFades(World& world, double seconds) {
    for (auto& [id, instance] : world.instances) {
        if (instance.state != kStopping) continue;
        const detail::DescriptionData* description = detail::Find(world.descriptions, instance.description);
        // A fade waits, like the sound, while its bus is paused.
        if (description && detail::RoutingOf(description->busKey).paused) continue;
        const float fadeOut = description ? description->fadeOut : 0.0f;
        instance.fade = fadeOut > 0.0f ? instance.fade - static_cast<float>(seconds / fadeOut) : 0.0f;
        if (instance.fade <= 0.0f)
            detail::StopNow(instance);
        else
            detail::ApplyGain(instance);
    }
}

void FreeReleased(World& world) {
    for (auto entry = world.instances.begin(); entry != world.instances.end();) {
        detail::InstanceData& instance = entry->second;
        detail::NoteEnd(instance);
        if (instance.released && instance.state == kStopped) {
            world.output.DeleteVoice(instance.voice);
            entry = world.instances.erase(entry);
        } else {
            ++entry;
        }
    }
}

}  // namespace

FMOD_RESULT System::create(System* system, uint32_t headerVersion) {
    if (!system) return kErrInvalidParam;
    *system = System{};
    if (headerVersion != kHeaderVersion) return kErrHeaderVersion;
    World& world = TheWorld();
    if (!world.created) {
        world.created = true;
        world.studioId = world.NewId();
        world.lowLevelId = world.NewId();
    }
    system->id = world.studioId;
    return kOk;
}

bool System::isValid() const { return Live(id) != nullptr; }

FMOD_RESULT System::initialize(int maxChannels, uint32_t, uint32_t, void*) const {
    World* world = Live(id);
    if (!world) return kErrInvalidHandle;
    if (world->initialized) return kErrAlreadyInitialized;
    if (maxChannels <= 0) return kErrInvalidParam;
    if (!world->output.Open()) return kErrOutput;
    world->initialized = true;
    world->lastUpdate = std::chrono::steady_clock::now();
    world->output.SetListener(world->listener);
    return kOk;
}

FMOD_RESULT System::getLowLevelSystem(FMOD::System* lowLevel) const {
    if (!lowLevel) return kErrInvalidParam;
    World* world = Live(id);
    lowLevel->id = world ? world->lowLevelId : 0;
    return world ? kOk : kErrInvalidHandle;
}

FMOD_RESULT System::loadBankFile(const char* path, uint32_t, Bank* bank) const {
    if (!bank) return kErrInvalidParam;
    *bank = Bank{};
    FMOD_RESULT result = kOk;
    if (!Ready(id, result)) return result;
    if (!path) return kErrInvalidParam;
    return detail::LoadBankFile(path, &bank->id);
}

FMOD_RESULT System::update() const {
    FMOD_RESULT result = kOk;
    World* world = Ready(id, result);
    if (!world) return result;
    LoadRequestedSamples(*world);
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::clamp(std::chrono::duration<double>(now - world->lastUpdate).count(), 0.0, kLongestStep);
    world->lastUpdate = now;
    AdvanceFades(*world, seconds);
    world->output.Render(seconds);
    FreeReleased(*world);
    return kOk;
}

FMOD_RESULT System::setListenerAttributes(int listener, const FMOD_3D_ATTRIBUTES* attributes) const {
    World* world = Live(id);
    if (!world) return kErrInvalidHandle;
    if (listener != 0 || !attributes) return kErrInvalidParam;
    world->listener = *attributes;
    world->output.SetListener(*attributes);
    return kOk;
}

FMOD_RESULT System::getListenerAttributes(int listener, FMOD_3D_ATTRIBUTES* attributes) const {
    if (!attributes) return kErrInvalidParam;
    World* world = Live(id);
    *attributes = world && listener == 0 ? world->listener : FMOD_3D_ATTRIBUTES{};
    if (!world) return kErrInvalidHandle;
    return listener == 0 ? kOk : kErrInvalidParam;
}

}  // namespace FMOD::Studio
