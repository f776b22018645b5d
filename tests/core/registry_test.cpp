#include <gtest/gtest.h>

#include <memory>

#include "core/components/registry.h"
#include "tests/core/test_components.h"
#include "tests/support/error_text.h"

namespace {

// Ten stand-ins under the built-in names in their fixed order, so that the
// scripts' types follow from eleven.
template <int N>
struct Builtin : BaseComponent<Builtin<N>> {
    void Initialize() override {}
    void Remove() override {}
    Json::Value Serialize() override { return Json::Value(); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
};

template <int... N>
void RegisterBuiltins(std::integer_sequence<int, N...>) {
    const char* names[] = {"Sprite",         "MoonLight",   "PointLight",   "ShadowCaster", "RigidBody",
                           "CircleCollider", "BoxCollider", "SoundEmitter", "SoundSpace",   "Ray"};
    (components::Register<Builtin<N + 1>>(names[N]), ...);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterBuiltins(std::make_integer_sequence<int, 10>()); }
};

TEST_F(RegistryTest, LuaTypesFollowFromElevenAndKnownNamesKeepTheirIds) {
    components::RegisterLua<ScriptedComponent>("PlayerController");
    components::RegisterLua<ScriptedComponent>("Door");
    components::RegisterLua<ScriptedComponent>("PlayerController");
    components::RegisterLua<ScriptedComponent>("Sprite");
    components::RegisterLua<ScriptedComponent>("Lamp");
    EXPECT_EQ(components::GetID("PlayerController"), 11u);
    EXPECT_EQ(components::GetID("Door"), 12u);
    EXPECT_EQ(components::GetID("Lamp"), 13u);
    EXPECT_EQ(components::GetID("Sprite"), 1u);
    EXPECT_EQ(components::GetNameMap().size(), 13u);

    std::unique_ptr<RootComponent> sprite(components::Create("Sprite"));
    EXPECT_NE(dynamic_cast<Builtin<1>*>(sprite.get()), nullptr);
    std::unique_ptr<RootComponent> door(components::Create("Door"));
    auto* scripted = dynamic_cast<ScriptedComponent*>(door.get());
    ASSERT_NE(scripted, nullptr);
    EXPECT_EQ(scripted->GetTypeID(), 12u);
    EXPECT_EQ(scripted->name, "Door");
    EXPECT_EQ(door->owner.GetId(), 0u);
}

TEST_F(RegistryTest, UnknownNamesAndIdsThrowAndChangeNothing) {
    EXPECT_EQ(ErrorText([] { delete components::Create("sprite"); }),
              "components::Create failed to map component string!");
    EXPECT_EQ(ErrorText([] { components::GetID("sprite"); }), "components::GetID failed to map component string!");
    EXPECT_EQ(ErrorText([] { components::GetName(11); }),
              "components::GetName failed to map component ID to string!");
    EXPECT_EQ(components::GetNameMap().size(), 10u);
}

}  // namespace
