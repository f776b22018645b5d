#pragma once
// Components are created by type name. Each registered type gets an id,
// counting from 1 in registration order; ids are never reused or removed.
// Levels store components by name, entities key them by id.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include "core/components/base_component.h"

namespace components {

using factory = std::function<RootComponent*()>;
// Makes a factory for a type once its id is known.
using factory_for_id = std::function<factory(uint32_t id)>;

// Registers a new name and returns its id; a known name keeps its entry and
// its id (which is returned) and the factory maker is not called. scripted
// marks a type written in Lua.
uint32_t RegisterName(const std::string& name, const factory_for_id& makeFactory, bool scripted = false);

template <typename T>
void Register(const std::string& name) {
    BaseComponent<T>::ID = RegisterName(name, [](uint32_t) {
        return factory([] { return static_cast<RootComponent*>(new T()); });
    });
}

// A type written in Lua: T is the component class that carries its type id
// and name, constructed as T(id, name).
template <typename T>
void RegisterLua(const std::string& name) {
    RegisterName(name, [name](uint32_t id) {
        return factory([id, name] { return static_cast<RootComponent*>(new T(id, name)); });
    }, true);
}

// Saved data may name a type that nothing has registered: one whose script
// failed before it could register it, or one renamed since. The maker set
// here registers such a name (the scripting host makes it a Lua type that
// no script defines yet, whose components keep what they were loaded with),
// so the data loads and is saved again unchanged. Adopt gives an unknown
// name to the maker; without one the name stays unknown.
void SetUnknownTypeMaker(std::function<void(const std::string& name)> maker);
void Adopt(const std::string& name);

// A new component of the named type; the caller owns it.
RootComponent* Create(const std::string& name);
uint32_t GetID(const std::string& name);
std::string GetName(uint32_t id);
const std::unordered_map<uint32_t, std::string>& GetNameMap();
// Whether the named type is written in Lua: its numbers are a script's
// doubles, where every built-in type's are floats.
bool IsScripted(const std::string& name);

}  // namespace components
