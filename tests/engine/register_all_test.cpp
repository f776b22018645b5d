#include <gtest/gtest.h>

#include "core/components/registry.h"
#include "core/engine/register_all.h"

namespace {

// Level files and scripts name components by these ids; nothing else may be
// registered before the scripts' types.
TEST(RegisterAll, GivesTheBuiltInTypesTheirFixedIds) {
    const std::vector<std::string> order = {"Sprite",    "MoonLight",      "PointLight",  "ShadowCaster",
                                            "RigidBody", "CircleCollider", "BoxCollider", "SoundEmitter",
                                            "SoundSpace", "Ray"};
    components::RegisterAll();
    const auto& names = components::GetNameMap();
    ASSERT_EQ(names.size(), order.size());
    for (uint32_t id = 1; id <= names.size(); ++id) {
        EXPECT_EQ(components::GetName(id), order[id - 1]);
        EXPECT_EQ(components::GetID(order[id - 1]), id);
    }
}

}  // namespace
