#include "core/events/events.h"

#include <cstring>

namespace events {
namespace {

// Event names to their sets. Every call looks its event up, so the table is
// open addressing over a power of two with each name's hash kept beside it:
// a look-up hashes a few words and compares one name. A set never moves once
// registered.
class event_table {
public:
    event_listeners_base* Find(std::string_view name) const {
        if (slots.empty()) return nullptr;
        const uint64_t hash = Hash(name);
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const slot& here = slots[i];
            if (!here.set) return nullptr;
            if (here.hash == hash && here.name == name) return here.set.get();
        }
    }

    // False when the name is taken; the set then stays with the caller.
    bool Insert(std::string_view name, std::unique_ptr<event_listeners_base>& set) {
        if (Find(name)) return false;
        if (2 * (count + 1) > slots.size()) Grow();
        Place({Hash(name), std::string(name), std::move(set)});
        ++count;
        return true;
    }

private:
    struct slot {
        uint64_t hash = 0;
        std::string name;
        std::unique_ptr<event_listeners_base> set;  // null in a free slot
    };

    void Place(slot entry) {
        size_t i = entry.hash & mask;
        while (slots[i].set) i = (i + 1) & mask;
        slots[i] = std::move(entry);
    }

    void Grow() {
        std::vector<slot> grown(std::max<size_t>(32, 2 * slots.size()));
        std::swap(slots, grown);
        mask = slots.size() - 1;
        for (slot& entry : grown)
            if (entry.set) Place(std::move(entry));
    }

    // Eight bytes at a time; the last word of a name of eight bytes or more
    // overlaps the one before it, a shorter name is gathered byte by byte.
    static uint64_t Hash(std::string_view name) {
        constexpr uint64_t kMix = 0x9E3779B97F4A7C15ull;
        const char* bytes = name.data();
        const size_t size = name.size();
        uint64_t hash = size * kMix;
        uint64_t word = 0;
        for (size_t at = 0; at + 8 < size; at += 8) {
            std::memcpy(&word, bytes + at, 8);
            hash = (hash ^ word) * kMix;
            hash ^= hash >> 32;
        }
        if (size >= 8) {
            std::memcpy(&word, bytes + size - 8, 8);
        } else {
            word = 0;
            for (size_t at = 0; at < size; ++at) word |= uint64_t(uint8_t(bytes[at])) << (8 * at);
        }
        hash = (hash ^ word) * kMix;
        return hash ^ (hash >> 29);
    }

    std::vector<slot> slots;
    size_t mask = 0;
    size_t count = 0;
};

event_table& Events() {
    static event_table table;
    return table;
}

}  // namespace

void Register(std::string_view name, std::unique_ptr<event_listeners_base> listeners) {
    if (!Events().Insert(name, listeners))
        throw debug::exception("Event Register: \"" + std::string(name) + "\" already existed.");
}

event_listeners_base* InternalGetListeners(std::string_view name) {
    event_listeners_base* found = Events().Find(name);
    if (!found)
        throw debug::exception("Event InternalGetListeners: failed to map event string \"" + std::string(name) + "\"");
    return found;
}

bool Disconnect(std::string_view name, std::string_view id) {
    event_listeners_base* found = Events().Find(name);
    if (!found)
        throw debug::exception("Event Disconnect failed to map event \"" + std::string(name) + "\" or ID \"" +
                               std::string(id) + "\"!");
    return found->Disconnect(id);
}

namespace detail {

void ThrowWrongArguments(const char* operation, std::string_view name) {
    throw debug::exception(std::string(operation) + ": Event " + std::string(name) + " does not eixst " +
                           "or the wrong argument types were provided");
}

}  // namespace detail
}  // namespace events
