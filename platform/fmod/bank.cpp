#include "platform/fmod/world.h"

namespace FMOD::Studio {

using detail::BankData;
using detail::DescriptionData;
using detail::Find;
using detail::TheWorld;
using detail::World;

namespace {

BankData* Live(uint64_t id) { return Find(TheWorld().banks, id); }

template <typename Handle>
FMOD_RESULT List(const std::vector<uint64_t>* ids, Handle* array, int capacity, int* count) {
    if (count) *count = 0;
    if (!ids) return kErrInvalidHandle;
    if (!array || capacity < 0 || !count) return kErrInvalidParam;
    for (uint64_t id : *ids) {
        if (*count >= capacity) break;
        array[(*count)++].id = id;
    }
    return kOk;
}

FMOD_RESULT Count(const std::vector<uint64_t>* ids, int* count) {
    if (!count) return kErrInvalidParam;
    *count = ids ? static_cast<int>(ids->size()) : 0;
    return ids ? kOk : kErrInvalidHandle;
}

FMOD_RESULT State(const BankData* bank, LoadingState loaded, LoadingState* state) {
    if (!state) return kErrInvalidParam;
    *state = bank ? loaded : kUnloaded;
    return bank ? kOk : kErrInvalidHandle;
}

}  // namespace

bool Bank::isValid() const { return Live(id) != nullptr; }

FMOD_RESULT Bank::getPath(char* path, int size, int* retrieved) const {
    const BankData* bank = Live(id);
    return detail::CopyPath(bank ? &bank->key : nullptr, path, size, retrieved);
}

FMOD_RESULT Bank::getLoadingState(LoadingState* state) const { return State(Live(id), kLoaded, state); }

FMOD_RESULT Bank::loadSampleData() const {
    BankData* bank = Live(id);
    if (!bank) return kErrInvalidHandle;
    if (bank->sampleState == kUnloaded) bank->sampleState = kLoading;
    return kOk;
}

FMOD_RESULT Bank::getSampleLoadingState(LoadingState* state) const {
    const BankData* bank = Live(id);
    return State(bank, bank ? bank->sampleState : kUnloaded, state);
}

FMOD_RESULT Bank::getEventCount(int* count) const {
    const BankData* bank = Live(id);
    return Count(bank ? &bank->events : nullptr, count);
}

FMOD_RESULT Bank::getEventList(EventDescription* array, int capacity, int* count) const {
    const BankData* bank = Live(id);
    return List(bank ? &bank->events : nullptr, array, capacity, count);
}

FMOD_RESULT Bank::getBusCount(int* count) const {
    const BankData* bank = Live(id);
    return Count(bank ? &bank->buses : nullptr, count);
}

FMOD_RESULT Bank::getBusList(Bus* array, int capacity, int* count) const {
    const BankData* bank = Live(id);
    return List(bank ? &bank->buses : nullptr, array, capacity, count);
}

FMOD_RESULT Bank::getSoundProblems(std::vector<std::string>* lines) const {
    if (!lines) return kErrInvalidParam;
    lines->clear();
    const BankData* bank = Live(id);
    if (!bank) return kErrInvalidHandle;
    World& world = TheWorld();
    for (uint64_t event : bank->events) {
        const DescriptionData& description = world.descriptions.at(event);
        if (description.soundProblem.empty()) continue;
        const auto path = world.paths.find(description.key);
        const std::string name = path == world.paths.end() ? "\"" + description.key + "\"" : path->second;
        lines->push_back("bank " + bank->file + ", event " + name + ": the sound " + description.soundFile +
                         " is left out because " + description.soundProblem);
    }
    return kOk;
}

}  // namespace FMOD::Studio
