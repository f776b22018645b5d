#include "scripting/lua_component.h"

#include <lua.hpp>

#include "core/diagnostics/debug_print.h"
#include "core/level/level_files.h"
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

// A call cut for nesting too deep has said so already, once for the chain.
bool LuaComponent::Add(bool keeping) {
    std::string problem;
    if (Begin("lb_AddComponent", owner, typeName)) {
        lua_pushboolean(GetLuaState(), 1);
        added = true;
        made = LuaProtectedCall(3, 0, &problem);
    } else {
        problem = "no scripts are running";
    }
    if (!made && !problem.empty()) {
        const std::string entity = owner.IsValid() ? QuotedLevelName(owner.GetName()) : "(gone)";
        DebugPrint("Lua Error: component \"" + typeName + "\" of entity " + entity + " (id " +
                   std::to_string(owner.GetId()) + ") in level " + QuotedLevelName(LevelOfEntities()) +
                   " cannot be made: " + problem +
                   (keeping ? "; the fields it was loaded with are kept as they were" : ""));
    }
    return made;
}

void LuaComponent::Initialize() {
    if (!added) Add(false);
    if (made) CallWithEntity("lb_InitializeComponent", owner, typeName);
}

void LuaComponent::Remove() { CallWithEntity("lb_RemoveComponent", owner, typeName); }

// A source that Lua could not make hands on what it keeps: to a copy that
// cannot be made either, to keep in turn, or to one that can, as its data.
void LuaComponent::Copy(const RootComponent* other) {
    const auto* source = dynamic_cast<const LuaComponent*>(other);
    if (!source) return;
    if (!source->made) {
        if (source->kept.isNull()) return;
        if (made)
            HandOver(source->kept);
        else
            kept = source->kept;
        return;
    }
    if (!made || !Begin("lb_CopyComponent", owner, typeName)) return;
    LuaPushEntity(source->owner);
    lua_pushlstring(GetLuaState(), source->typeName.data(), source->typeName.size());
    LuaProtectedCall(4, 0);
}

Json::Value LuaComponent::Serialize() {
    if (!made) return kept;
    Json::Value saved;
    SerializeTargetScope target(&saved);
    CallWithEntity("lb_SerializeComponent", owner, typeName);
    return saved;
}

void LuaComponent::Deserialize(Json::Value json) {
    if (Add(true))
        HandOver(json);
    else
        kept = std::move(json);
}

void LuaComponent::HandOver(const Json::Value& json) {
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
