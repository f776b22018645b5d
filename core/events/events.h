#pragma once
// Named events: each is registered once under a name with a fixed argument
// list; listeners connect to it under an id unique within that event, and
// raising it calls every listener with the arguments. The argument types are
// checked at every Connect and Call, so a listener or raiser that disagrees
// with the registration fails loudly instead of being called wrongly.
//
// A call runs over the listener set as it was when the call began: a listener
// may connect or disconnect listeners (itself included) or raise the event
// again while it runs. One connected during a call is first called by the next
// call; one disconnected during a call is still called in that call if it had
// not been reached yet. Listeners run in the order they were connected, but
// nothing should rely on an order among the listeners of one event.
//
// Names and ids are taken as views, so raising an event by a literal name
// allocates nothing; sets are never removed once registered.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/diagnostics/exception.h"

namespace events {

// Lets maps keyed by std::string be searched with a view, building no string.
struct name_hash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
};

template <typename Value>
using name_map = std::unordered_map<std::string, Value, name_hash, std::equal_to<>>;

class event_listeners_base {
public:
    // Removes the listener with this id; false when there was none.
    virtual bool Disconnect(std::string_view id) = 0;
    virtual ~event_listeners_base() = default;

    // Stands for the argument list of the derived set: Connect and Call
    // compare it to the one they expect.
    const void* Kind() const { return kind; }

protected:
    explicit event_listeners_base(const void* kind) : kind(kind) {}

private:
    const void* kind;
};

namespace detail {

// One address per argument list.
template <typename... Args>
struct kind_of {
    static constexpr char tag = 0;
};

}  // namespace detail

template <typename... Args>
class event_listeners final : public event_listeners_base {
public:
    using listener = std::function<void(Args...)>;

    event_listeners() : event_listeners_base(&detail::kind_of<Args...>::tag) {}

    bool Disconnect(std::string_view id) override {
        auto found = ids.find(id);
        if (found == ids.end()) return false;
        std::vector<entry>& list = Writable();
        list.erase(std::lower_bound(list.begin(), list.end(), found->second,
                                    [](const entry& e, uint64_t order) { return e.order < order; }));
        ids.erase(found);
        return true;
    }

    void Add(std::string id, listener callable) {
        auto [slot, fresh] = ids.try_emplace(std::move(id), next);
        if (!fresh) throw debug::exception("Event ID \"" + slot->first + "\" already existed.");
        try {
            Writable().push_back({next, std::move(callable)});
        } catch (...) {
            ids.erase(slot);
            throw;
        }
        ++next;
    }

    // False when the set was empty: nothing ran.
    bool Dispatch(Args... args) {
        const entry* first = current.data();
        const entry* last = first + current.size();
        const walk_guard walking(*this);
        for (const entry* each = first; each != last; ++each) each->callable(args...);
        return first != last;
    }

private:
    struct entry {
        uint64_t order;  // connection sequence number: keeps the list sorted
        listener callable;
    };

    // Marks the current list as walked for as long as a call runs; when the
    // outermost call ends (also by an exception) the lists that changes
    // replaced meanwhile are dropped.
    class walk_guard {
    public:
        explicit walk_guard(event_listeners& set) : set(set) {
            ++set.calls;
            set.walked = true;
        }
        ~walk_guard() {
            if (--set.calls > 0) return;
            set.walked = false;
            const std::vector<std::vector<entry>> dropped = std::move(set.retired);
            set.retired.clear();
        }
        walk_guard(const walk_guard&) = delete;
        walk_guard& operator=(const walk_guard&) = delete;

    private:
        event_listeners& set;
    };

    // The list to change. One that a call in progress walks is kept as it is
    // and replaced by a copy, so that call neither loses nor gains listeners
    // nor has a running callable destroyed under it.
    std::vector<entry>& Writable() {
        if (walked) {
            std::vector<entry> copy(current);
            retired.push_back(std::move(current));
            current = std::move(copy);
            walked = false;
        }
        return current;
    }

    std::vector<entry> current;               // in connection order
    name_map<uint64_t> ids;                   // id to its entry's order
    uint64_t next = 0;
    int calls = 0;                            // calls in progress, nested ones included
    bool walked = false;                      // a call in progress walks `current`
    std::vector<std::vector<entry>> retired;  // lists calls in progress still walk
};

// Takes ownership of the set; a name registered before throws.
void Register(std::string_view name, std::unique_ptr<event_listeners_base> listeners);

// The set registered under the name; throws when there is none. The set lives
// as long as the program.
event_listeners_base* InternalGetListeners(std::string_view name);

// Removes one listener of an event; false when no listener had the id.
// Throws when the event is not registered.
bool Disconnect(std::string_view name, std::string_view id);

template <typename... Args>
void Register(std::string_view name) {
    Register(name, std::make_unique<event_listeners<Args...>>());
}

namespace detail {

[[noreturn]] void ThrowWrongArguments(const char* operation, std::string_view name);

template <typename... Args>
event_listeners<Args...>& Typed(std::string_view name, const char* operation) {
    event_listeners_base* found = InternalGetListeners(name);
    if (found->Kind() != &kind_of<Args...>::tag) ThrowWrongArguments(operation, name);
    return static_cast<event_listeners<Args...>&>(*found);
}

}  // namespace detail

// The argument list is always named explicitly, e.g. Connect<int>(...), so a
// callable or argument of a neighbouring type never selects the wrong set.
template <typename... Args>
void Connect(std::string_view name, std::string id, std::type_identity_t<std::function<void(Args...)>> callable) {
    detail::Typed<Args...>(name, "Connect").Add(std::move(id), std::move(callable));
}

// True when a listener was called: a raiser that must look again at what
// listeners may change can skip that when none ran.
template <typename... Args>
bool Call(std::string_view name, std::type_identity_t<Args>... args) {
    return detail::Typed<Args...>(name, "Call").Dispatch(args...);
}

}  // namespace events
