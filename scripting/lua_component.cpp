#include "scripting/lua_component.h"

#include <imgui.h>
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

// Problem empty: a call cut for nesting too deep, which has said so already,
// once for the chain.
void LuaComponent::Report(const std::string& what, const std::string& problem, const char* outcome) const {
    if (problem.empty()) return;
    const std::string entity = owner.IsValid() ? QuotedLevelName(owner.GetName()) : "(gone)";
    DebugPrint("Lua Error: component " + QuotedLevelName(typeName) + " of entity " + entity + " (id " +
               std::to_string(owner.GetId()) + ") in level " + QuotedLevelName(LevelOfEntities()) + " " + what +
               ": " + problem + (outcome ? std::string("; ") + outcome : ""));
}

bool LuaComponent::Add(bool keeping) {
    std::string problem;
    if (Begin("lb_AddComponent", owner, typeName)) {
        lua_pushboolean(GetLuaState(), 1);
        added = true;
        made = LuaProtectedCall(3, 0, &problem);
    } else {
        problem = "no scripts are running";
    }
    holdsData = made;
    if (!made) Report("cannot be made", problem, keeping ? "the fields it was loaded with are kept as they were" : nullptr);
    return made;
}

void LuaComponent::Initialize() {
    if (!added) Add(false);
    if (made) CallWithEntity("lb_InitializeComponent", owner, typeName);
}

void LuaComponent::Remove() { CallWithEntity("lb_RemoveComponent", owner, typeName); }

// A source whose data Lua does not hold hands on what it keeps: to a copy
// that cannot take it either, to keep in turn, or to one that can, as its
// data.
void LuaComponent::Copy(const RootComponent* other) {
    const auto* source = dynamic_cast<const LuaComponent*>(other);
    if (!source) return;
    if (!source->holdsData) {
        if (source->kept.isNull()) return;
        kept = source->kept;
        if (made) HandOver();
        return;
    }
    if (!made || !Begin("lb_CopyComponent", owner, typeName)) return;
    LuaPushEntity(source->owner);
    lua_pushlstring(GetLuaState(), source->typeName.data(), source->typeName.size());
    if (LuaProtectedCall(4, 0)) holdsData = true;
}

// A serialiser that raises may have written only some fields: what was last
// whole is saved instead.
Json::Value LuaComponent::Serialize() {
    if (!holdsData) return kept;
    Json::Value saved;
    std::string problem;
    bool whole = false;
    {
        SerializeTargetScope target(&saved);
        whole = Begin("lb_SerializeComponent", owner, typeName) && LuaProtectedCall(2, 0, &problem);
    }
    if (!whole) {
        Report("cannot be saved", problem, "what it last held whole is saved in its place");
        return kept;
    }
    kept = saved;
    return saved;
}

void LuaComponent::Deserialize(Json::Value json) {
    kept = std::move(json);
    if (Add(true)) HandOver();
}

void LuaComponent::HandOver() {
    std::string problem;
    holdsData = false;
    if (Begin("lb_DeserializeComponent", owner, typeName)) {
        LuaPushFlatTable(kept);
        holdsData = LuaProtectedCall(3, 0, &problem);
    }
    if (!holdsData) Report("cannot read its fields", problem, "they are kept as they were loaded and saved unchanged");
}

// Fields that Lua could not read are not offered for editing: an edit would
// change only the defaults Lua holds, while the level goes on saving what it
// was loaded with.
void LuaComponent::EditInfoDisplay() {
    if (!holdsData) {
        if (ImGui::GetCurrentContext()) ImGui::TextDisabled("Its script cannot read these fields; they are kept as loaded.");
        return;
    }
    LuaEditContext& context = GetLuaEditContext();
    context.entity = owner;
    context.typeName = typeName;
    context.active = true;
    CallWithEntity("lb_ComponentEditInfoDisplay", owner, typeName);
    context.active = false;
}
