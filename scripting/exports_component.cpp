// Lua component types, and the widgets their edit functions draw in the
// entity inspector. Lua passes a field's current value every frame and
// learns of a change through lb_ComponentEditInfoSet(entity, typeName,
// label, newValue).
#include <algorithm>
#include <array>
#include <cstring>

#include <imgui.h>
#include <lua.hpp>

#include "core/components/registry.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"
#include "scripting/lua_component.h"
#include "scripting/lua_host.h"

namespace {

// Shared by every string field: each shows the value Lua passed for it.
std::array<char, 512> editBuffer{};

// Outside the inspector's window there is nothing to draw into.
bool CanDraw() { return GetLuaEditContext().active && ImGui::GetCurrentContext() && GetLuaState(); }

// Calls lb_ComponentEditInfoSet with the edited component, the label and the
// value that push leaves on the stack.
template <typename Push>
void ReportEdit(const char* label, Push push) {
    lua_State* L = GetLuaState();
    const LuaEditContext& context = GetLuaEditContext();
    LuaPushGlobal("lb_ComponentEditInfoSet");
    LuaPushEntity(context.entity);
    lua_pushlstring(L, context.typeName.data(), context.typeName.size());
    lua_pushstring(L, label);
    push(L);
    LuaProtectedCall(4, 0);
}

}  // namespace

LuaEditContext& GetLuaEditContext() {
    static LuaEditContext context;
    return context;
}

void lb_register_component(const char* name) {
    AtEdge([&] { components::RegisterLua<LuaComponent>(Text(name)); });
}

void lb_component_edit_double(const char* label, float value) {
    AtEdge([&] {
        if (!CanDraw()) return;
        const std::string text = Text(label);
        if (ImGui::InputFloat(text.c_str(), &value, 0.0f, 0.0f, "%.3f", 0))
            ReportEdit(text.c_str(), [value](lua_State* L) { lua_pushnumber(L, static_cast<double>(value)); });
    });
}

// A value too long for the buffer shows its first 511 bytes.
void lb_component_edit_string(const char* label, const char* value) {
    AtEdge([&] {
        if (!CanDraw()) return;
        const std::string text = Text(label);
        const std::string current = Text(value);
        const size_t length = std::min(current.size(), editBuffer.size() - 1);
        std::memcpy(editBuffer.data(), current.data(), length);
        editBuffer[length] = '\0';
        if (ImGui::InputText(text.c_str(), editBuffer.data(), editBuffer.size()))
            ReportEdit(text.c_str(), [](lua_State* L) { lua_pushstring(L, editBuffer.data()); });
    });
}
