#pragma once
// The game window with the built-in component types registered and a few
// plain pictures on disk, for tests that build a small scene of entities and
// read back what the lighting passes and the frame composition made of it.
// The camera sits at the origin at zoom 1 on the 1920 by 1080 window, so one
// world unit is 4 window pixels and the window's centre is world (0, 0).

#include <array>
#include <string>
#include <vector>

#include <epoxy/gl.h>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>
#include <json/value.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/lighting/level_lighting.h"
#include "graphics/camera.h"
#include "graphics/device_state.h"
#include "graphics/moon_light.h"
#include "graphics/point_light.h"
#include "graphics/shadow_caster.h"
#include "graphics/sprite.h"
#include "graphics/tile_map.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/graphics/png_writer.h"

using Rgba = std::array<unsigned char, 4>;

class LitFrameTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        RegisterLightingComponents();
        events::Register<>("DebugDraw");
        Camera::SetPosition({0.0f, 0.0f, 0.0f});
        Camera::SetScale(1.0f);
        global_ambient = glm::vec3(1.0f);
        global_ambient_intensity = 1.0f;
        SolidPicture("white", {255, 255, 255, 255});
    }

    void TearDown() override {
        engine::DestroyAllEntities();
        DestroyTileMap();
        GraphicsTest::TearDown();
    }

    // Writes textures/<name>.png, width by height, colour(x, y) with row 0 on top.
    template <typename Colour>
    void Picture(const std::string& name, unsigned width, unsigned height, Colour colour) {
        std::vector<unsigned char> rgba;
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x) {
                const Rgba c = colour(x, y);
                rgba.insert(rgba.end(), c.begin(), c.end());
            }
        dir.Write("textures/" + name + ".png", EncodePng(width, height, rgba));
    }

    void SolidPicture(const std::string& name, Rgba colour) {
        Picture(name, 16, 16, [colour](unsigned, unsigned) { return colour; });
    }

    static engine::entity_handle Entity(glm::vec3 position) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(position.x, position.y, position.z);
        return entity;
    }

    static engine::entity_handle AddSprite(glm::vec3 position, const std::string& texture, bool environmental = true,
                                           bool clamped = true, glm::vec4 tint = glm::vec4(1.0f)) {
        const engine::entity_handle entity = Entity(position);
        entity.AddComponent("Sprite", SpriteJson(texture, environmental, clamped, tint));
        return entity;
    }

    // A sprite's level-file object: one frame of the whole picture.
    static Json::Value SpriteJson(const std::string& texture, bool environmental, bool clamped, glm::vec4 tint) {
        Json::Value json;
        json["texture"] = texture;
        json["environmental"] = environmental;
        json["clamped"] = clamped;
        json["tint"]["x"] = tint.r;
        json["tint"]["y"] = tint.g;
        json["tint"]["z"] = tint.b;
        json["tint"]["w"] = tint.a;
        json["frame_time"] = 1.0;
        json["frames"] = 1;
        json["rows"] = 1;
        json["columns"] = 1;
        return json;
    }

    struct Light {
        glm::vec2 position;
        float radius = 400.0f;
        glm::vec3 color{1.0f, 1.0f, 1.0f};
        float ambient = 0.0f, diffuse = 1.0f;
        glm::vec3 attenuation{1.0f, 0.0f, 1.0f};
    };
    static engine::entity_handle AddPointLight(const Light& light) {
        Json::Value json;
        json["offset"]["x"] = 0.0;
        json["offset"]["y"] = 0.0;
        json["max_radius"] = light.radius;
        for (const auto& [key, value] : {std::pair{"color", light.color}, std::pair{"attenuation", light.attenuation}}) {
            json[key]["x"] = value.x;
            json[key]["y"] = value.y;
            json[key]["z"] = value.z;
        }
        json["ambient_intensity"] = light.ambient;
        json["diffuse_intensity"] = light.diffuse;
        const engine::entity_handle entity = Entity({light.position, 0.0f});
        entity.AddComponent("PointLight", json);
        return entity;
    }

    static engine::entity_handle AddCaster(glm::vec2 position, float width, float height) {
        Json::Value json;
        json["offset"]["x"] = 0.0;
        json["offset"]["y"] = 0.0;
        json["width"] = width;
        json["height"] = height;
        const engine::entity_handle entity = Entity({position, 0.0f});
        entity.AddComponent("ShadowCaster", json);
        return entity;
    }

    // A new tile map of columns by rows cells of tileSize units, with these
    // tile textures and the cells as the level file's "tiles" string.
    static void MakeTileMap(uint32_t tileSize, int columns, int rows, const std::vector<std::string>& textures, const std::string& tiles) {
        CreateTileMap();
        Json::Value map;
        map["tile_width"] = tileSize;
        map["tile_height"] = tileSize;
        map["width"] = columns;
        map["height"] = rows;
        for (const std::string& texture : textures) map["tile_textures"].append(texture);
        map["tiles"] = tiles;
        GetTileMap()->Deserialize(map);
    }

    // Draws one whole frame as the frame loop does (without presenting).
    static void DrawFrame(float dt = 0.0f) {
        ASSERT_TRUE(Graphics::BeginFrame());
        Graphics::Draw(dt);
    }

    static LightRenderer& Lights() { return *graphics_state::lightRenderer; }

    // The lit colour the lit pass left at world point (x, y).
    static glm::vec3 LitColour(float x, float y) {
        glm::vec3 colour(0.0f);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, Lights().gBuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glReadPixels(static_cast<int>(std::floor(x)) + 249, static_cast<int>(std::floor(y)) + 140, 1, 1, GL_RGB,
                     GL_FLOAT, &colour.x);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return colour;
    }

    // The shadow bits sBuffer 0 holds at world point (x, y).
    static unsigned ShadowBits(float x, float y) {
        unsigned bits = 0;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, Lights().sBuffers[0]);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glReadPixels(static_cast<int>(std::floor(x)) + 249, static_cast<int>(std::floor(y)) + 840, 1, 1,
                     GL_RED_INTEGER, GL_UNSIGNED_INT, &bits);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return bits;
    }

    // The window's pixel under world point (x, y), rows counted from the bottom.
    static Rgba WindowAt(float x, float y) {
        return WindowPixel(960 + static_cast<int>(std::floor(x * 4)), 540 + static_cast<int>(std::floor(y * 4)));
    }

    static Rgba WindowPixel(int x, int y) {
        Rgba pixel{};
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }
};
