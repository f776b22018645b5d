// Sprites, lights and casters on the real renderer: pictures, level values,
// copies, culling of sprites, and the outlines drawn while selected (through
// a recording vector back end).

#include <cmath>
#include <sstream>

#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <json/reader.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "graphics/debug_draw.h"
#include "graphics/device_state.h"
#include "graphics/light_culling.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/graphics/png_writer.h"
#include "tests/support/same_json.h"
#include "tests/vector/recording_backend.h"
#include "vector/vector.h"

namespace {

Json::Value Parse(const std::string& text) {
    std::istringstream in(text);
    Json::Value value;
    in >> value;
    return value;
}

std::string Picture(unsigned width, unsigned height) {
    return EncodePng(width, height, std::vector<unsigned char>(size_t{width} * height * 4, 200));
}

class Components : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        RegisterLightingComponents();
        // Shapes go to a recording back end over a 996 by 560 framebuffer
        // (pixel scale 2, the world origin at (498, 280)).
        params = backend.Params(false);
        realContext = graphics_state::vectorContext;
        graphics_state::vectorContext = vdCreateInternal(&params);
        graphics_state::framebufferWidth = 996;
        graphics_state::framebufferHeight = 560;
        debugDraw = std::make_unique<DebugDraw>();
    }
    void TearDown() override {
        engine::DestroyAllEntities();
        debugDraw.reset();
        vdDeleteInternal(graphics_state::vectorContext);
        graphics_state::vectorContext = realContext;
        GraphicsTest::TearDown();
    }

    static engine::entity_handle With(const char* type, const std::string& json, glm::vec3 at = glm::vec3(0.0f)) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(at.x, at.y, at.z);
        entity.AddComponent(type, Parse(json));
        return entity;
    }

    static unsigned Texture(const std::string& name) {
        unsigned width = 0, height = 0;
        return Graphics::LoadTexture(name, width, height);
    }

    vector_testing::RecordingBackend backend;
    VDparams params{};
    VDcontext* realContext = nullptr;
    std::unique_ptr<DebugDraw> debugDraw;
};

// The texture coordinates of the sprite's uploaded quad, corner by corner.
std::vector<float> UploadedUVs(const Sprite& sprite) {
    std::vector<float> vertices(30);
    glBindBuffer(GL_ARRAY_BUFFER, sprite.quad.vbo);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 120, vertices.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    std::vector<float> uvs;
    for (int corner = 0; corner < 6; ++corner) {
        uvs.push_back(vertices[corner * 5 + 3]);
        uvs.push_back(vertices[corner * 5 + 4]);
    }
    return uvs;
}

TEST_F(Components, SpritePicturesAndTheirCompanions) {
    dir.Write("textures/hero.png", Picture(64, 32));
    dir.Write("textures/hero_nm.png", Picture(4, 4));
    const auto entity = With("Sprite", R"({"texture": "hero", "rows": 2, "columns": 4})");
    Sprite& sprite = *entity.GetBaseEntity().Get<Sprite>();
    EXPECT_EQ(sprite.texture, Texture("hero"));
    EXPECT_EQ(sprite.width, 64u);
    EXPECT_EQ(sprite.height, 32u);
    EXPECT_EQ(sprite.light_texture, Texture("hero_nm"));
    EXPECT_EQ(sprite.sampler_texture, Texture("debug_sm")) << "no hero_sm: the companion stays";
    // Loading rebuilt the quad for frame 1 of 2 by 4.
    EXPECT_EQ(UploadedUVs(sprite), (std::vector<float>{0, 0.5f, 0.25f, 0.5f, 0.25f, 1, 0.25f, 1, 0, 1, 0, 0.5f}));

    // A missing picture shows "debug", but the level keeps the name it asked for.
    sprite.SetTexture("ghost");
    EXPECT_EQ(sprite.texture, Texture("debug"));
    EXPECT_EQ(sprite.width, 16u);
    EXPECT_EQ(sprite.light_texture, Texture("hero_nm"));
    EXPECT_EQ(sprite.Serialize()["texture"].asString(), "ghost");

    // Zero rows or columns from a script: no division by zero anywhere.
    sprite.rows = 0;
    sprite.columns = 0;
    sprite.frame = 0;
    sprite.RebuildQuad();
    EXPECT_EQ(UploadedUVs(sprite), (std::vector<float>{0, 0, 1, 0, 1, 1, 1, 1, 0, 1, 0, 0}));
    const glm::mat4 model = Graphics::SpriteModelMatrix(sprite);
    EXPECT_TRUE(std::isfinite(model[0][0]) && std::isfinite(model[1][1]));
}

TEST_F(Components, LevelValuesOfEveryKind) {
    struct Case {
        const char* name;
        const char* type;
        const char* json;
        std::string expected;  // Serialize after loading
    };
    const Case cases[] = {
        {"sprite with only a texture", "Sprite", R"({"texture": "debug"})",
         R"({"texture": "debug", "environmental": true, "clamped": true, "y_offset": 0, "looping": true,
             "tint": {"x": 1, "y": 1, "z": 1, "w": 1}, "frame_time": 0, "frames": 0, "rows": 1, "columns": 1})"},
        {"sprite with values of the wrong kind", "Sprite",
         R"({"texture": 7, "frames": -3, "frame_time": "fast", "rows": "two", "columns": 2.5, "clamped": "yes",
             "y_offset": [1], "tint": 4, "looping": {}})",
         R"({"texture": "7", "environmental": true, "clamped": true, "y_offset": 0, "looping": true,
             "tint": {"x": 1, "y": 1, "z": 1, "w": 1}, "frame_time": 0, "frames": 0, "rows": 1, "columns": 2})"},
        {"sprite with everything", "Sprite",
         R"({"texture": "debug", "environmental": false, "clamped": false, "y_offset": -2.5, "looping": false,
             "tint": {"x": 0.5, "y": 0.25, "z": 0, "w": 1}, "frame_time": 0.125, "frames": 8, "rows": 2,
             "columns": 4})",
         R"({"texture": "debug", "environmental": false, "clamped": false, "y_offset": -2.5, "looping": false,
             "tint": {"x": 0.5, "y": 0.25, "z": 0, "w": 1}, "frame_time": 0.125, "frames": 8, "rows": 2,
             "columns": 4})"},
        // Missing keys read as 0, not as the defaults.
        {"point light with only an offset", "PointLight", R"({"offset": {"x": 1, "y": 2}})",
         R"({"offset": {"x": 1, "y": 2}, "max_radius": 0, "color": {"x": 0, "y": 0, "z": 0}, "ambient_intensity": 0,
             "diffuse_intensity": 0, "attenuation": {"x": 0, "y": 0, "z": 0}})"},
        {"point light of the wrong kinds", "PointLight",
         R"({"offset": 3, "max_radius": "far", "color": {"x": "red", "y": 1, "z": true}, "attenuation": [1]})",
         R"({"offset": {"x": 0, "y": 0}, "max_radius": 0, "color": {"x": 0, "y": 1, "z": 1}, "ambient_intensity": 0,
             "diffuse_intensity": 0, "attenuation": {"x": 0, "y": 0, "z": 0}})"},
        {"moon light", "MoonLight", R"({"intensity": 0.5, "inner_radius": null})",
         R"({"offset": {"x": 0, "y": 0}, "intensity": 0.5, "inner_radius": 0})"},
        {"shadow caster", "ShadowCaster", R"({"width": 12, "height": "tall", "offset": {"x": -1, "y": 4}})",
         R"({"offset": {"x": -1, "y": 4}, "width": 12, "height": 0})"},
    };
    for (const Case& c : cases) {
        const auto entity = With(c.type, c.json);
        RootComponent* component = entity.GetBaseEntity().components.at(components::GetID(c.type)).get();
        const Json::Value saved = component->Serialize();
        EXPECT_TRUE(testing_support::SameJson(saved, Parse(c.expected))) << c.name << ": " << saved.toStyledString();
    }
}

TEST_F(Components, CopiesTakeWhatTheirTypeCopies) {
    const auto source = With("Sprite", R"({"texture": "debug", "frames": 4, "frame_time": 0.5, "rows": 2,
        "columns": 2, "clamped": false, "y_offset": 3, "tint": {"x": 0, "y": 0, "z": 0, "w": 0}})");
    source.GetBaseEntity().Get<Sprite>()->frame = 3;
    const auto target = With("Sprite", R"({"texture": "debug"})");
    target.CopyFrom(source);
    const Sprite& copy = *target.GetBaseEntity().Get<Sprite>();
    EXPECT_EQ(copy.frames, 4u);
    EXPECT_EQ(copy.frame, 3u);
    EXPECT_FALSE(copy.clamped);
    EXPECT_EQ(copy.y_offset, 0.0f) << "y_offset stays the copy's own";
    EXPECT_EQ(copy.tint, glm::vec4(1.0f)) << "tint stays the copy's own";
    EXPECT_EQ(UploadedUVs(copy)[2], 0.5f) << "the quad shows frame 3 of 2 by 2";
    EXPECT_EQ(copy.owner, target);

    // A hooked light's copy is hooked too, yet draws nothing until its
    // entity is selected after another.
    const auto light = With("PointLight", R"({"max_radius": 5})");
    const auto other = With("PointLight", R"({"max_radius": 5})");
    events::Call<engine::entity_handle>("EditorSelectedEntity", light);
    other.CopyFrom(light);
    EXPECT_TRUE(other.GetBaseEntity().Get<PointLight>()->hooked);
    EXPECT_FALSE(events::Disconnect("DebugDraw", "PointLightDrawOultine" + std::to_string(other.GetId())));
}

TEST_F(Components, SelectedEntitiesAreOutlinedInTheirColours) {
    const auto entity = engine::CreateEntity();
    entity.SetPosition(10, 0, 0);
    entity.AddComponent("Sprite", Parse(R"({"texture": "debug", "y_offset": 2})"));
    entity.AddComponent("PointLight", Parse(R"({"max_radius": 4, "offset": {"x": 50, "y": 50}})"));
    entity.AddComponent("ShadowCaster", Parse(R"({"width": 6, "height": 2, "offset": {"x": -10, "y": 0}})"));
    const auto other = engine::CreateEntity();
    const std::string id = std::to_string(entity.GetId());

    events::Call<engine::entity_handle>("EditorSelectedEntity", entity);
    events::Call<engine::entity_handle>("EditorSelectedEntity", entity);  // connects nothing more
    DebugDraw::SetColor(0.1f, 0.2f, 0.3f, 0.4f);
    DebugDraw::Frame();
    EXPECT_EQ(DebugDraw::GetColor(), glm::vec4(0.1f, 0.2f, 0.3f, 0.4f)) << "each outline gives the colour back";

    // The listeners run in no set order: find each stroke by its colour.
    ASSERT_EQ(backend.strokes.size(), 3u);
    std::map<std::string, vector_testing::RecordedStroke> byName;
    for (const auto& stroke : backend.strokes) {
        const VDcolor c = stroke.paint.innerColor;
        const std::string name = c.r == 1 && c.g == 1 && c.b == 1   ? "sprite"
                                 : c.r == 0.5f && c.g == 1 && c.b == 0 ? "light"
                                 : c.r == 1 && c.g == 0 && c.b == 1   ? "caster"
                                                                      : "unexpected";
        byName[name] = stroke;
    }
    auto centre = [](const vector_testing::RecordedStroke& stroke) {
        float left = 1e9f, right = -1e9f, top = 1e9f, bottom = -1e9f;
        for (const auto& path : stroke.paths)
            for (const VDvertex& v : path.verts) {
                left = std::min(left, v.x), right = std::max(right, v.x);
                top = std::min(top, v.y), bottom = std::max(bottom, v.y);
            }
        return glm::vec4((left + right) / 2, (top + bottom) / 2, right - left, bottom - top);
    };
    ASSERT_EQ(byName.size(), 3u);
    // The sheet's width across the entity at y + y_offset: (10 - 8, 2) to (10 + 8, 2).
    EXPECT_NEAR(centre(byName["sprite"]).x, 518.0f, 0.01f);
    EXPECT_NEAR(centre(byName["sprite"]).y, 276.0f, 0.01f);
    EXPECT_NEAR(centre(byName["sprite"]).z, 33.0f, 0.01f);
    // The light's reach is drawn on the entity, without its offset.
    EXPECT_NEAR(centre(byName["light"]).x, 518.0f, 0.05f);
    EXPECT_NEAR(centre(byName["light"]).y, 280.0f, 0.05f);
    // The caster's ellipse at its own position, 6 by 2 world units.
    EXPECT_NEAR(centre(byName["caster"]).x, 498.0f, 0.05f);
    EXPECT_NEAR(centre(byName["caster"]).w, 5.0f, 0.1f);

    // Selecting another entity takes every outline away.
    events::Call<engine::entity_handle>("EditorSelectedEntity", other);
    backend.strokes.clear();
    DebugDraw::Frame();
    EXPECT_TRUE(backend.strokes.empty());
    for (const char* base : {"SpriteDrawOffset", "PointLightDrawOultine", "ShadowCasterDrawCaster"})
        EXPECT_FALSE(events::Disconnect("DebugDraw", base + id)) << base;
}

TEST_F(Components, ListenersOutliveTheirComponentsSafely) {
    // A script removes the components while the selection is being handed
    // round: whether their listeners run before or after, nothing is left
    // connected and nothing freed is touched.
    std::vector<engine::entity_handle> entities;
    for (int i = 0; i < 8; ++i) {
        const auto entity = With("PointLight", "{}");
        entity.AddComponent("ShadowCaster", Parse("{}"));
        entity.AddComponent("Sprite", Parse("{}"));
        entities.push_back(entity);
    }
    events::Connect<engine::entity_handle>("EditorSelectedEntity", "script", [&](engine::entity_handle selected) {
        for (const char* type : {"PointLight", "ShadowCaster", "Sprite"}) selected.RemoveComponent(type);
    });
    for (const auto& entity : entities) events::Call<engine::entity_handle>("EditorSelectedEntity", entity);
    events::Disconnect("EditorSelectedEntity", "script");
    DebugDraw::Frame();
    EXPECT_TRUE(backend.strokes.empty());
    for (const auto& entity : entities) {
        const std::string id = std::to_string(entity.GetId());
        for (const char* base : {"SpriteDrawOffset", "PointLightDrawOultine", "ShadowCasterDrawCaster"}) {
            EXPECT_FALSE(events::Disconnect("DebugDraw", base + id));
            EXPECT_FALSE(events::Disconnect("EditorSelectedEntity", base + id));
        }
    }

    // And while outlines are being drawn.
    const auto last = With("PointLight", R"({"max_radius": 3})");
    events::Call<engine::entity_handle>("EditorSelectedEntity", last);
    events::Connect<>("DebugDraw", "script", [&] { last.RemoveComponent("PointLight"); });
    DebugDraw::Frame();
    EXPECT_LE(backend.strokes.size(), 1u);
}

TEST_F(Components, SpritesInViewGoToTheirLists) {
    // Camera at the origin, corner at (-249, 140): r2 = 81601. The debug
    // sheet is 16 by 16.
    const light_culling::View view{{0, 0, 0}, {-249, 140, 0}};
    const auto lit = With("Sprite", R"({"texture": "debug"})", {0, 0, 0});
    const auto loose = With("Sprite", R"({"texture": "debug", "clamped": false})", {100, -100, 0});
    const auto forward = With("Sprite", R"({"texture": "debug", "environmental": false})", {-200, 0, 0});
    With("Sprite", R"({"texture": "debug"})", {249 + 8, 140 + 16, 0});  // exactly r2 away: out
    With("Sprite", R"({"texture": "debug"})", {0, -400, 0});             // below: sprites get no band
    light_culling::Lists lists;
    light_culling::Cull(view, engine::GetAllEntities(), 0.0f, lists);
    EXPECT_EQ(lists.litSprites, std::vector<engine::entity_handle>{lit});
    EXPECT_EQ(lists.looseSprites, std::vector<engine::entity_handle>{loose});
    EXPECT_EQ(lists.forwardSprites, std::vector<engine::entity_handle>{forward});
}

}  // namespace
