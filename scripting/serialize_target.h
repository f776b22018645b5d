#pragma once
// The document that lb_serialize_number and lb_serialize_string write into.
// It is set only while Lua serialises (the "LevelUnload" call and a Lua
// component's Serialize) and null otherwise, so a script writing at any
// other time cannot reach a document that has since been destroyed.

#include <json/value.h>

Json::Value* GetSerializeTarget();
void SetSerializeTarget(Json::Value* target);

// Makes target the serialisation target for the scope's life, then puts back
// the one before it.
class SerializeTargetScope {
public:
    explicit SerializeTargetScope(Json::Value* target) : previous(GetSerializeTarget()) { SetSerializeTarget(target); }
    ~SerializeTargetScope() { SetSerializeTarget(previous); }
    SerializeTargetScope(const SerializeTargetScope&) = delete;
    SerializeTargetScope& operator=(const SerializeTargetScope&) = delete;

private:
    Json::Value* previous;
};
