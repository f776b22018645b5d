#pragma once
// Named events: each is registered once under a name with a fixed argument
// list; listeners connect to it under an id unique within that event, and
// raising it calls every listener with the arguments. The argument types are
// checked at every Connect and Call, so a listener or raiser that disagrees
// with the registration fails loudly instead of being called wrongly.
//
// Calls walk a copy of the listener set: a listener may connect or disconnect
// listeners (itself included) while the event is being raised. One connected
// during a call is first called by the next call; one disconnected during a
// call is still called in that call if it had not been reached yet. The order
// among the listeners of one event is unspecified.

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "core/diagnostics/exception.h"

namespace events {

class event_listeners_base {
public:
    // Removes the listener with this id; false when there was none.
    virtual bool Disconnect(const std::string& id) = 0;
    virtual ~event_listeners_base() = default;
};

template <typename... Args>
class event_listeners final : public event_listeners_base {
public:
    using listener = std::function<void(Args...)>;

    bool Disconnect(const std::string& id) override { return listeners.erase(id) > 0; }

    void Add(const std::string& id, listener callable) {
        if (!listeners.emplace(id, std::move(callable)).second)
            throw debug::exception("Event ID \"" + id + "\" already existed.");
    }

    void Dispatch(Args... args) {
        std::vector<listener> snapshot;
        snapshot.reserve(listeners.size());
        for (const auto& entry : listeners) snapshot.push_back(entry.second);
        for (const listener& callable : snapshot) callable(args...);
    }

private:
    std::unordered_map<std::string, listener> listeners;
};

// Takes ownership of the set; a name registered before throws.
void Register(const std::string& name, std::unique_ptr<event_listeners_base> listeners);

// The set registered under the name; throws when there is none.
event_listeners_base* InternalGetListeners(const std::string& name);

// Removes one listener of an event; false when no listener had the id.
// Throws when the event is not registered.
bool Disconnect(const std::string& name, const std::string& id);

template <typename... Args>
void Register(const std::string& name) {
    Register(name, std::make_unique<event_listeners<Args...>>());
}

namespace detail {

template <typename... Args>
event_listeners<Args...>& Typed(const std::string& name, const char* operation) {
    auto* typed = dynamic_cast<event_listeners<Args...>*>(InternalGetListeners(name));
    if (!typed)
        throw debug::exception(std::string(operation) + ": Event " + name + " does not eixst " +
                               "or the wrong argument types were provided");
    return *typed;
}

}  // namespace detail

// The argument list is always named explicitly, e.g. Connect<int>(...), so a
// callable or argument of a neighbouring type never selects the wrong set.
template <typename... Args>
void Connect(const std::string& name, const std::string& id,
             std::type_identity_t<std::function<void(Args...)>> callable) {
    detail::Typed<Args...>(name, "Connect").Add(id, std::move(callable));
}

template <typename... Args>
void Call(const std::string& name, std::type_identity_t<Args>... args) {
    detail::Typed<Args...>(name, "Call").Dispatch(args...);
}

}  // namespace events
