#pragma once
// A component whose type and data live in Lua. The engine side knows only
// its owner, type id and type name, and turns each component operation into
// a protected call of a fixed Lua global (lb_AddComponent,
// lb_InitializeComponent, lb_RemoveComponent, lb_CopyComponent,
// lb_SerializeComponent, lb_DeserializeComponent,
// lb_ComponentEditInfoDisplay), each given the owner as a Lua entity and the
// type name. Types come into being when a script calls lb_register_component.
//
// A component whose data Lua does not hold keeps the JSON it was loaded
// with, exactly as read, and gives it back unchanged to every save and copy:
// one that Lua cannot make (its type is known but no script defines it now:
// a script with a mistake, a type saved data names but no script registered,
// or no scripts running), and one whose lb_DeserializeComponent raised. The
// next Lua state that can make and read it gets that JSON through the usual
// Deserialize when the level loads again. A lb_SerializeComponent that raises
// saves what the component last held whole (what it was loaded with, or its
// last complete serialisation), never a part of its fields. Each such error
// is one "Lua Error" line naming the type, the entity and the level.

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
    // Gives Lua kept as the component's data, as lb_DeserializeComponent
    // takes it; when that raises, kept stays the data.
    void HandOver();
    // One "Lua Error" line: what went wrong with this component, the error,
    // and what happens instead.
    void Report(const std::string& what, const std::string& problem, const char* outcome) const;

    uint32_t typeId;
    std::string typeName;
    bool added = false;      // lb_AddComponent has run for this component
    bool made = false;       // ... and Lua holds an instance of it
    bool holdsData = false;  // ... which holds the component's data
    Json::Value kept;        // the data as loaded or last saved whole
};

// The component whose edit widgets are being drawn; set by EditInfoDisplay.
struct LuaEditContext {
    engine::entity_handle entity;
    std::string typeName;
    bool active = false;  // only while lb_ComponentEditInfoDisplay runs
};
LuaEditContext& GetLuaEditContext();
