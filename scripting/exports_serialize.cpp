// Lua writes saved state, member by member, into the serialisation target.
#include "core/diagnostics/debug_print.h"
#include "scripting/export_edge.h"
#include "scripting/export_list.h"
#include "scripting/serialize_target.h"

namespace {

Json::Value* target = nullptr;

void SetMember(const char* export_name, const char* key, Json::Value value) {
    if (!target) {
        DebugPrint(std::string(export_name) + ": nothing is being serialized");
        return;
    }
    (*target)[Text(key)] = std::move(value);
}

}  // namespace

Json::Value* GetSerializeTarget() { return target; }
void SetSerializeTarget(Json::Value* newTarget) { target = newTarget; }

void lb_serialize_number(const char* key, double value) {
    AtEdge([&] { SetMember("lb_serialize_number", key, Json::Value(value)); });
}

void lb_serialize_string(const char* key, const char* value) {
    AtEdge([&] { SetMember("lb_serialize_string", key, Json::Value(Text(value))); });
}
