#include "core/events/events.h"

namespace events {
namespace {

using registry = std::unordered_map<std::string, std::unique_ptr<event_listeners_base>>;

registry& Events() {
    static registry table;
    return table;
}

}  // namespace

void Register(const std::string& name, std::unique_ptr<event_listeners_base> listeners) {
    if (!Events().emplace(name, std::move(listeners)).second)
        throw debug::exception("Event Register: \"" + name + "\" already existed.");
}

event_listeners_base* InternalGetListeners(const std::string& name) {
    auto found = Events().find(name);
    if (found == Events().end())
        throw debug::exception("Event InternalGetListeners: failed to map event string \"" + name + "\"");
    return found->second.get();
}

bool Disconnect(const std::string& name, const std::string& id) {
    auto found = Events().find(name);
    if (found == Events().end())
        throw debug::exception("Event Disconnect failed to map event \"" + name + "\" or ID \"" + id + "\"!");
    return found->second->Disconnect(id);
}

}  // namespace events
