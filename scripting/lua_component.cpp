#include "scripting/lua_component.h"

#include <lua.hpp>

#include "scripting/lua_host.h"
#include "scripting/serialize_target.h"

namespace {

// Pushes the global and the (entity, type name) pair every call starts with;
// false when there is no Lua state to call into.
bool Begin(const char* global, const engine::entity_handle& entity, const std::string& typeName) {
    lua_State* L = GetLuaState();
    if (!L) return false;
    LuaPushGlobal(global);
    LuaPushEntity(entity);
    lua_pushlstring(L, typeName.data(), typeName.size());
    return true;
}

void CallWithEntity(const char* global, const engine::entity_handle& entity, const std::string& typeName) {
    if (Begin(global, entity, typeName)) LuaProtectedCall(2, 0);
}

}  // namespace

LuaComponent::LuaComponent(uint32_t typeId, std::string typeName) : typeId(typeId), typeName(std::move(typeName)) {}

void LuaComponent::Add() {
    if (!Begin("lb_AddComponent", owner, typeName)) return;
    lua_pushboolean(GetLuaState(), 1);
    LuaProtectedCall(3, 0);
    added = true;
}

void LuaComponent::Initialize() {
    if (!added) Add();
    CallWithEntity("lb_InitializeComponent", owner, typeName);
}

void LuaComponent::Remove() { CallWithEntity("lb_RemoveComponent", owner, typeName); }

void LuaComponent::Copy(const RootComponent* other) {
    const auto* source = dynamic_cast<const LuaComponent*>(other);
    if (!source || !Begin("lb_CopyComponent", owner, typeName)) return;
    LuaPushEntity(source->owner);
    lua_pushlstring(GetLuaState(), source->typeName.data(), source->typeName.size());
    LuaProtectedCall(4, 0);
}

Json::Value LuaComponent::Serialize() {
    Json::Value saved;
    SerializeTargetScope target(&saved);
    CallWithEntity("lb_SerializeComponent", owner, typeName);
    return saved;
}

void LuaComponent::Deserialize(Json::Value json) {
    Add();
    if (!Begin("lb_DeserializeComponent", owner, typeName)) return;
    LuaPushFlatTable(json);
    LuaProtectedCall(3, 0);
}

void LuaComponent::EditInfoDisplay() {
    LuaEditContext& context = GetLuaEditContext();
    context.entity = owner;
    context.typeName = typeName;
    context.active = true;
    CallWithEntity("lb_ComponentEditInfoDisplay", owner, typeName);
    context.active = false;
}
