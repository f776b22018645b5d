#pragma once
// Entities read from outside bytes as a level load reads them: a JSON array
// of entity objects. A few dozen entities reach every path; more only fill
// memory.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include <json/reader.h>

#include "core/entity/entity_table.h"

// False when the bytes are not a JSON array.
inline bool CreateEntitiesFromBytes(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Json::Value entities;
    try {
        in >> entities;
    } catch (const Json::Exception&) {
        return false;
    }
    if (!entities.isArray()) return false;
    for (Json::ArrayIndex i = 0; i < entities.size() && i < 64; ++i) {
        try {
            engine::CreateEntity().Deserialize(entities[i]);
        } catch (const debug::exception&) {
            // An unknown component name stops the load, as in a level.
        }
    }
    return true;
}
