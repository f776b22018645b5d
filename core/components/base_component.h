#pragma once
#include "core/components/root_component.h"

// Per-type base of the built-in components: the type id that registration
// hands out, and Copy through the class's own copy assignment.
template <typename T>
class BaseComponent : public RootComponent {
public:
    static inline uint32_t ID = 0;

    uint32_t GetTypeID() override { return ID; }

    void Copy(const RootComponent* other) override {
        T* self = dynamic_cast<T*>(this);
        const T* source = dynamic_cast<const T*>(other);
        if (!self || !source) return;
        const engine::entity_handle keep = owner;
        *self = *source;
        owner = keep;
    }
};
