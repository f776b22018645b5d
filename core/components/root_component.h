#pragma once
#include <cstdint>

#include <json/value.h>

#include "core/entity/entity_handle.h"

// The base of every component. An entity owns its components and deletes
// them through this class; the entity table sets owner before anything else
// runs on a new component.
class RootComponent {
public:
    virtual ~RootComponent() = default;
    // Once, after owner is set and any saved state was applied; components
    // connect their event listeners here.
    virtual void Initialize() = 0;
    // Once, just before the component is deleted; listeners go here.
    virtual void Remove() = 0;
    // Takes other's state (other is of the same type); owner is kept.
    virtual void Copy(const RootComponent* other) = 0;
    virtual Json::Value Serialize() = 0;
    // Called before Initialize, and only with saved state (never null).
    virtual void Deserialize(Json::Value json) = 0;
    virtual void EditInfoDisplay() = 0;
    virtual uint32_t GetTypeID() = 0;

    engine::entity_handle owner;
};
