#include "core/components/registry.h"

#include <unordered_set>
#include <utility>

#include "core/diagnostics/exception.h"

namespace components {
namespace {

struct registry {
    std::unordered_map<std::string, factory> factories;
    std::unordered_map<std::string, uint32_t> nameToID;
    std::unordered_map<uint32_t, std::string> idToName;
    std::unordered_set<std::string> scripted;
    uint32_t idCounter = 0;
    std::function<void(const std::string&)> unknownTypeMaker;
};

registry& Registry() {
    static registry types;
    return types;
}

}  // namespace

uint32_t RegisterName(const std::string& name, const factory_for_id& makeFactory, bool scripted) {
    registry& types = Registry();
    auto known = types.nameToID.find(name);
    if (known != types.nameToID.end()) return known->second;
    const uint32_t id = ++types.idCounter;
    types.factories.emplace(name, makeFactory(id));
    types.nameToID.emplace(name, id);
    types.idToName.emplace(id, name);
    if (scripted) types.scripted.insert(name);
    return id;
}

void SetUnknownTypeMaker(std::function<void(const std::string& name)> maker) {
    Registry().unknownTypeMaker = std::move(maker);
}

void Adopt(const std::string& name) {
    registry& types = Registry();
    if (types.unknownTypeMaker && types.nameToID.count(name) == 0) types.unknownTypeMaker(name);
}

RootComponent* Create(const std::string& name) {
    auto found = Registry().factories.find(name);
    if (found == Registry().factories.end())
        throw debug::exception("components::Create failed to map component string!");
    return found->second();
}

uint32_t GetID(const std::string& name) {
    auto found = Registry().nameToID.find(name);
    if (found == Registry().nameToID.end())
        throw debug::exception("components::GetID failed to map component string!");
    return found->second;
}

std::string GetName(uint32_t id) {
    auto found = Registry().idToName.find(id);
    if (found == Registry().idToName.end())
        throw debug::exception("components::GetName failed to map component ID to string!");
    return found->second;
}

const std::unordered_map<uint32_t, std::string>& GetNameMap() { return Registry().idToName; }

bool IsScripted(const std::string& name) { return Registry().scripted.count(name) != 0; }

}  // namespace components
