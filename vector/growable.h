#pragma once
// A growable array of plain records. Growth that fails answers false instead
// of throwing: the renderer then drops one command or one draw, not the frame.
// Callers choose the new capacity; nothing shrinks, so steady frames reuse it.

#include <cstddef>
#include <cstdlib>
#include <type_traits>

template <class T>
struct Growable {
    static_assert(std::is_trivially_copyable_v<T>);

    T* items = nullptr;
    int count = 0;
    int capacity = 0;

    Growable() = default;
    Growable(const Growable&) = delete;
    Growable& operator=(const Growable&) = delete;
    ~Growable() { std::free(items); }

    // Capacity becomes newCapacity; false (and nothing changed) when that is
    // not a positive size or the memory is not there.
    bool Reallocate(int newCapacity) {
        if (newCapacity <= 0) return false;
        void* grown = std::realloc(static_cast<void*>(items), sizeof(T) * std::size_t(newCapacity));
        if (!grown) return false;
        items = static_cast<T*>(grown);
        capacity = newCapacity;
        return true;
    }

    T& operator[](int i) { return items[i]; }
    const T& operator[](int i) const { return items[i]; }
    T& Last() { return items[count - 1]; }
};
