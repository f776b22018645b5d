#pragma once
// A component whose type and data live in Lua. The engine side knows only
// its owner, type id and type name, and turns each component operation into
// a protected call of a fixed Lua global (lb_AddComponent,
// lb_InitializeComponent, lb_RemoveComponent, lb_CopyComponent,
// lb_SerializeComponent, lb_DeserializeComponent,
// lb_ComponentEditInfoDisplay), each given the owner as a Lua entity and the
// type name. Types come into being when a script calls lb_register_component.
//
// A component that Lua cannot make (its type is known but no script defines
// it now: a script with a mistake, or no scripts running) keeps the JSON it
// was loaded with, exactly as read, and gives it back unchanged to every
// save and copy. The next Lua state that can make it gets that JSON through
// the usual Deserialize when the level loads again.

#include <cstdint>
#include <string>

#include "core/components/root_component.h"

class LuaComponent : public RootComponent {
public:
    LuaComponent(uint32_t typeId, std::string typeName);

    void Initialize() override;
    void Remove() override;
    void Copy(const RootComponent* other) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;
    uint32_t GetTypeID() override { return typeId; }

    const std::string& GetTypeName() const { return typeName; }

private:
    // Runs lb_AddComponent; false, with one line naming the entity and its
    // level, when Lua could not make the component.
    bool Add(bool keeping);
    // Gives Lua the component's data as lb_DeserializeComponent takes it.
    void HandOver(const Json::Value& json);

    uint32_t typeId;
    std::string typeName;
    bool added = false;  // lb_AddComponent has run for this component
    bool made = false;   // ... and Lua holds the component's data
    Json::Value kept;    // what it was loaded with, while Lua cannot make it
};

// The component whose edit widgets are being drawn; set by EditInfoDisplay.
struct LuaEditContext {
    engine::entity_handle entity;
    std::string typeName;
    bool active = false;  // only while lb_ComponentEditInfoDisplay runs
};
LuaEditContext& GetLuaEditContext();
