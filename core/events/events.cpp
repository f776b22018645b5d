#include "core/events/events.h"

namespace events {
namespace {

name_map<std::unique_ptr<event_listeners_base>>& Events() {
    static name_map<std::unique_ptr<event_listeners_base>> table;
    return table;
}

}  // namespace

void Register(std::string_view name, std::unique_ptr<event_listeners_base> listeners) {
    if (!Events().try_emplace(std::string(name), std::move(listeners)).second)
        throw debug::exception("Event Register: \"" + std::string(name) + "\" already existed.");
}

event_listeners_base* InternalGetListeners(std::string_view name) {
    auto found = Events().find(name);
    if (found == Events().end())
        throw debug::exception("Event InternalGetListeners: failed to map event string \"" + std::string(name) + "\"");
    return found->second.get();
}

bool Disconnect(std::string_view name, std::string_view id) {
    auto found = Events().find(name);
    if (found == Events().end())
        throw debug::exception("Event Disconnect failed to map event \"" + std::string(name) + "\" or ID \"" +
                               std::string(id) + "\"!");
    return found->second->Disconnect(id);
}

namespace detail {

void ThrowWrongArguments(const char* operation, std::string_view name) {
    throw debug::exception(std::string(operation) + ": Event " + std::string(name) + " does not eixst " +
                           "or the wrong argument types were provided");
}

}  // namespace detail
}  // namespace events
