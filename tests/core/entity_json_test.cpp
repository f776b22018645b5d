#include <gtest/gtest.h>

#include <cfloat>

#include <json/reader.h>

#include "core/entity/entity_table.h"
#include "core/json/json_values.h"
#include "core/json/json_vectors.h"
#include "tests/core/test_components.h"

using engine::CreateEntity;
using engine::entity_handle;

namespace {

Json::Value Parse(const std::string& text) {
    Json::Value value;
    std::string errors;
    std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &value, &errors)) << errors;
    return value;
}

class EntityJson : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestComponents(); }
};

TEST_F(EntityJson, SerializeWritesPositionNameAndComponentsInTypeIdOrder) {
    entity_handle e = CreateEntity();
    e.AddComponent("Beta", Parse(R"({"value": 2})"));
    e.AddComponent("Alpha", Parse(R"({"value": 1})"));
    e.SetPosition(1.5f, -2.0f, 0.25f);
    e.SetName("Torch");
    EXPECT_EQ(e.Serialize(), Parse(R"({
        "pos": {"x": 1.5, "y": -2.0, "z": 0.25},
        "name": "Torch",
        "components": [
            {"value": 1, "__component_name": "Alpha"},
            {"value": 2, "__component_name": "Beta"}
        ]})"));
}

TEST_F(EntityJson, EntityWithoutComponentsWritesNullAndReadsBackEmpty) {
    entity_handle e = CreateEntity();
    Json::Value saved = e.Serialize();
    EXPECT_TRUE(saved["components"].isNull());
    EXPECT_TRUE(saved.isMember("components"));
    entity_handle copy = CreateEntity();
    copy.Deserialize(saved);
    EXPECT_TRUE(copy.GetBaseEntity().components.empty());
}

TEST_F(EntityJson, DeserializeCreatesComponentsInArrayOrderWithTheirSavedState) {
    entity_handle e = CreateEntity();
    e.Deserialize(Parse(R"({
        "pos": {"x": 3, "z": 9},
        "name": "Door",
        "components": [
            {"__component_name": "Beta", "value": 7},
            {"__component_name": "Alpha", "value": 8}
        ]})"));
    EXPECT_EQ(e.GetPosition(), glm::vec3(3, 0, 9));
    EXPECT_EQ(e.GetName(), "Door");
    EXPECT_EQ(ComponentLog(), (std::vector<std::string>{"Beta deserialize 7 1", "Beta init 1",
                                                         "Alpha deserialize 8 1", "Alpha init 1"}));
    entity_handle again = CreateEntity();
    again.Deserialize(e.Serialize());
    Json::Value first = e.Serialize(), second = again.Serialize();
    EXPECT_EQ(first, second);
}

TEST_F(EntityJson, MissingOrEmptyNameKeepsEntity) {
    entity_handle a = CreateEntity(), b = CreateEntity();
    a.Deserialize(Parse(R"({"pos": {"x": 1, "y": 2, "z": 3}, "components": null})"));
    b.Deserialize(Parse(R"({"name": ""})"));
    EXPECT_EQ(a.GetName(), "Entity");
    EXPECT_EQ(b.GetName(), "Entity");
    EXPECT_EQ(b.GetPosition(), glm::vec3(0, 0, 0));
}

TEST_F(EntityJson, DamagedEntriesGiveDefaultsOrTheRegistryMessage) {
    entity_handle e = CreateEntity();
    EXPECT_NO_THROW(e.Deserialize(Parse("[1, 2]")));
    EXPECT_NO_THROW(e.Deserialize(Parse(R"({"pos": 5, "name": ["x"], "components": {"a": 1}})")));
    EXPECT_EQ(e.GetName(), "Entity");
    e.Deserialize(Parse(R"({"name": 3})"));
    EXPECT_EQ(e.GetName(), "3") << "a number names the entity as text";
    EXPECT_THROW(e.Deserialize(Parse(R"({"components": [42]})")), debug::exception);
    EXPECT_THROW(e.Deserialize(Parse(R"({"components": [{"value": 1}]})")), debug::exception);
}

TEST(JsonVectors, ReadMissingMembersAsZeroAndWriteDoubles) {
    EXPECT_EQ(JsonToVec3(Parse(R"({"y": 2.5})")), glm::vec3(0, 2.5f, 0));
    EXPECT_EQ(JsonToVec2(Json::Value()), glm::vec2(0, 0));
    EXPECT_EQ(JsonToVec2(Parse(R"({"x": "7", "y": true})")), glm::vec2(0, 1));
    EXPECT_EQ(JsonToVec2(Parse(R"({"x": [1], "y": {"a": 2}})")), glm::vec2(0, 0));
    Json::Value v = Vec3ToJson(0.1f, 2, -3);
    EXPECT_TRUE(v["x"].isDouble());
    EXPECT_EQ(v["x"].asDouble(), static_cast<double>(0.1f));
    EXPECT_EQ(v.getMemberNames(), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(Vec2ToJson(4, 5).getMemberNames(), (std::vector<std::string>{"x", "y"}));
}

// Components read their numbers this way; one beyond the float range must
// not become an infinity that a saved level could not hold.
TEST(JsonNumbers, BeyondTheFloatRangeReadAsTheNearestFiniteFloat) {
    const Json::Value numbers = Parse(R"([1e39, -1e300, 2.5, 3.5e38])");
    EXPECT_EQ(JsonFloat(numbers[0], 0), FLT_MAX);
    EXPECT_EQ(JsonFloat(numbers[1], 0), -FLT_MAX);
    EXPECT_EQ(JsonFloat(numbers[2], 0), 2.5f);
    EXPECT_EQ(JsonFloat(numbers[3], 0), FLT_MAX);
    EXPECT_EQ(JsonToVec2(Parse(R"({"x": 1e39, "y": -1e39})")), glm::vec2(FLT_MAX, -FLT_MAX));
}

}  // namespace
