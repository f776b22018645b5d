// Sprite exports on a real sprite with its GL quad: the frame number's
// wrap-around, when the quad is rebuilt, and the picture by name.

#include <array>
#include <cmath>

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include "core/engine/register_all.h"
#include "core/entity/entity_table.h"
#include "graphics/sprite.h"
#include "scripting/export_list.h"
#include "tests/graphics/graphics_fixture.h"
#include "tests/graphics/png_writer.h"
#include "tests/scripting/logged_lines.h"

using engine::entity_handle;

namespace {

class SpriteExports : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        components::RegisterAll();
        events::Register<entity_handle>("EditorSelectedEntity");
        events::Register<>("DebugDraw");
        // A sheet of 64 by 32 pixels.
        dir.Write("textures/sheet.png", EncodePng(64, 32, std::vector<unsigned char>(64 * 32 * 4, 200)));
        entity = engine::CreateEntity();
        entity.AddComponent("Sprite", Json::Value());
        lb_sprite_set_texture(i(), id(), "sheet");
    }
    void TearDown() override {
        engine::DestroyAllEntities();  // the sprite's quad goes while the context lives
        GraphicsTest::TearDown();
    }

    uint32_t i() const { return entity.index; }
    uint32_t id() const { return entity.id; }
    Sprite& sprite() const { return *entity.GetBaseEntity().Get<Sprite>(); }

    // Left and right texture coordinates of the quad as uploaded.
    std::array<float, 2> UploadedU() const {
        std::array<float, 30> vertices{};
        glBindBuffer(GL_ARRAY_BUFFER, sprite().quad.vbo);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(vertices), vertices.data());
        return {vertices[3], vertices[8]};  // u of the bottom-left and bottom-right corners
    }

    entity_handle entity;
};

TEST_F(SpriteExports, TheFrameNumberWrapsAtOneMoreThanTheFrameCount) {
    struct Case {
        int frames;
        int value;
        uint32_t frame;
    };
    const Case cases[] = {
        {4, 0, 0},  {4, 4, 4}, {4, 5, 0}, {4, 7, 2},
        {4, -1, 0},  // 4294967295 mod 5
        {2, -1, 0},  // 4294967295 mod 3
        {1, -1, 1},  // 4294967295 mod 2
        {0, 3, 0},
        // The largest count: frames + 1 is 0, and no number is reduced.
        {-1, 7, 7}, {-1, -2, 4294967294u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "frames " << c.frames << ", value " << c.value);
        lb_sprite_set_num_frames(i(), id(), c.frames);
        lb_sprite_set_current_frame(i(), id(), c.value);
        EXPECT_EQ(sprite().frame, c.frame);
        EXPECT_EQ(lb_sprite_get_current_frame(i(), id()), static_cast<int>(c.frame));
    }
}

TEST_F(SpriteExports, TheQuadIsRebuiltWhenACountOrTheFrameChangesAndAlwaysWithTheElapsedTime) {
    lb_sprite_set_num_frames(i(), id(), 8);
    lb_sprite_set_num_columns(i(), id(), 4);
    EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.0f, 0.25f})) << "frame 1 of a 4-column sheet";

    // The frame moves on behind the exports' back: only a rebuild shows it.
    sprite().frame = 2;
    lb_sprite_set_num_columns(i(), id(), 4);
    lb_sprite_set_num_frames(i(), id(), 8);
    lb_sprite_set_current_frame(i(), id(), 2);
    EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.0f, 0.25f})) << "nothing changed, nothing rebuilt";
    lb_sprite_set_elapsed_time(i(), id(), 0.0f);
    EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.25f, 0.5f}));

    sprite().frame = 3;
    lb_sprite_set_num_rows(i(), id(), 2);
    EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.5f, 0.75f}));
    lb_sprite_set_current_frame(i(), id(), 4);
    EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.75f, 1.0f}));
}

TEST_F(SpriteExports, RowsAndColumnsBelowOneAreTakenAsOne) {
    for (int count : {0, -3}) {
        SCOPED_TRACE(count);
        lb_sprite_set_num_columns(i(), id(), 4);
        lb_sprite_set_num_rows(i(), id(), 2);
        lb_sprite_set_current_frame(i(), id(), 1);
        lb_sprite_set_num_columns(i(), id(), count);
        lb_sprite_set_num_rows(i(), id(), count);
        EXPECT_EQ(sprite().columns, 1u);
        EXPECT_EQ(sprite().rows, 1u);
        EXPECT_EQ(UploadedU(), (std::array<float, 2>{0.0f, 1.0f})) << "the whole sheet";
    }
    lb_sprite_set_num_frames(i(), id(), -1);
    EXPECT_EQ(sprite().frames, 4294967295u) << "the frame count is kept as given";
}

TEST_F(SpriteExports, FlagsTintTimesAndOffsetReachTheSprite) {
    lb_sprite_set_clamped(i(), id(), false);
    lb_sprite_set_environmental(i(), id(), false);
    lb_sprite_set_looping(i(), id(), false);
    lb_sprite_set_frame_time(i(), id(), -0.5f);
    lb_sprite_set_elapsed_time(i(), id(), 0.125f);
    lb_sprite_set_y_offset(i(), id(), -6.0f);
    lb_sprite_set_tint(i(), id(), 0.1f, 0.2f, 0.3f, 0.4f);
    EXPECT_FALSE(lb_sprite_get_clamped(i(), id()));
    EXPECT_FALSE(lb_sprite_get_environmental(i(), id()));
    EXPECT_FALSE(lb_sprite_get_looping(i(), id()));
    EXPECT_EQ(lb_sprite_get_frame_time(i(), id()), -0.5f);
    EXPECT_EQ(lb_sprite_get_elapsed_time(i(), id()), 0.125f);
    EXPECT_EQ(sprite().y_offset, -6.0f);
    EXPECT_EQ(sprite().tint, glm::vec4(0.1f, 0.2f, 0.3f, 0.4f));

    lb_sprite_set_clamped(i(), id(), true);
    lb_sprite_set_environmental(i(), id(), true);
    lb_sprite_set_looping(i(), id(), true);
    EXPECT_TRUE(lb_sprite_get_clamped(i(), id()));
    EXPECT_TRUE(lb_sprite_get_environmental(i(), id()));
    EXPECT_TRUE(lb_sprite_get_looping(i(), id()));
}

TEST_F(SpriteExports, ThePictureIsTakenByNameAndANilNameGivesTheDebugPicture) {
    EXPECT_EQ(sprite().width, 64u);
    EXPECT_EQ(sprite().height, 32u);
    unsigned width = 0, height = 0;
    const unsigned debug = Graphics::LoadTexture("debug", width, height);
    lb_sprite_set_texture(i(), id(), nullptr);
    EXPECT_EQ(sprite().texture, debug);
    EXPECT_EQ(sprite().width, width);
    EXPECT_EQ(sprite().height, height);
}

}  // namespace
