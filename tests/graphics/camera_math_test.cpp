#include <gtest/gtest.h>

#include <glm/matrix.hpp>
#include <glm/vec4.hpp>

#include "graphics/camera_math.h"

namespace {

using camera_math::View;

glm::vec3 Apply(const glm::mat4& m, glm::vec3 p) { return glm::vec3(m * glm::vec4(p, 1.0f)); }

TEST(PixelScale, RoundsEachAxisUpAndTakesTheSmaller) {
    EXPECT_EQ(camera_math::PixelScale(1920, 1080), 4);
    EXPECT_EQ(camera_math::PixelScale(1280, 720), 3);
    EXPECT_EQ(camera_math::PixelScale(996, 560), 2);
    EXPECT_EQ(camera_math::PixelScale(998, 560), 2);
    EXPECT_EQ(camera_math::PixelScale(400, 200), 1);
    EXPECT_EQ(camera_math::PixelScale(0, 0), 1);
}

TEST(Letterbox, KeepsTheBaseAspectCentred) {
    struct Case {
        int w, h, x, y, bw, bh;
    };
    for (const Case& c : {Case{1920, 1080, 0, 0, 1920, 1080}, Case{998, 560, 1, 0, 996, 560},
                          Case{1280, 1024, 0, 152, 1280, 720}, Case{2000, 700, 377, 0, 1245, 700}}) {
        const camera_math::Rect box = camera_math::Letterbox(c.w, c.h);
        EXPECT_EQ(box.x, c.x) << c.w << "x" << c.h;
        EXPECT_EQ(box.y, c.y) << c.w << "x" << c.h;
        EXPECT_EQ(box.width, c.bw) << c.w << "x" << c.h;
        EXPECT_EQ(box.height, c.bh) << c.w << "x" << c.h;
    }
}

TEST(ScreenMatrix, CentresTheCameraAndScalesByPixelScaleAndZoom) {
    const View view{{12.0f, -7.0f, 3.0f}, 2.0f, 1920, 1080};
    const glm::mat4 screen = camera_math::ScreenMatrix(view);
    const glm::vec3 centre = Apply(screen, view.position);
    EXPECT_FLOAT_EQ(centre.x, 960.0f);
    EXPECT_FLOAT_EQ(centre.y, 540.0f);
    EXPECT_FLOAT_EQ(centre.z, 0.0f);
    // Pixel scale 4 at zoom 2: one world unit is 8 pixels, screen y downwards.
    const glm::vec3 step = Apply(screen, view.position + glm::vec3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(step.x, 968.0f);
    EXPECT_FLOAT_EQ(step.y, 532.0f);

    const glm::mat4 inverse = glm::inverse(screen);
    for (glm::vec3 world : {glm::vec3(0.0f), glm::vec3(-40.25f, 17.5f, 1.0f), glm::vec3(300.0f, 200.0f, -2.0f)}) {
        const glm::vec3 back = Apply(inverse, Apply(screen, world));
        EXPECT_NEAR(back.x, world.x, 1e-3f);
        EXPECT_NEAR(back.y, world.y, 1e-3f);
        EXPECT_NEAR(back.z, world.z, 1e-3f);
    }
    const glm::vec3 middle = Apply(inverse, glm::vec3(960.0f, 540.0f, 0.0f));
    EXPECT_NEAR(middle.x, 12.0f, 1e-4f);
    EXPECT_NEAR(middle.y, -7.0f, 1e-4f);
    EXPECT_NEAR(middle.z, 3.0f, 1e-4f);
}

TEST(ScreenMatrix, HalvesTheFramebufferByIntegerDivision) {
    const glm::vec3 centre = Apply(camera_math::ScreenMatrix({{0, 0, 0}, 1.0f, 999, 561}), glm::vec3(0.0f));
    EXPECT_FLOAT_EQ(centre.x, 499.0f);
    EXPECT_FLOAT_EQ(centre.y, 280.0f);
}

TEST(ViewMatrix, SizedTargetPutsTheCameraOnAWholePixelAndIgnoresItsDepth) {
    const View view{{10.5f, -3.5f, 5.0f}, 1.0f, 1920, 1080};
    const glm::vec3 origin = Apply(camera_math::ViewMatrix(view, false, 498, 280), glm::vec3(0.0f));
    // roundf(-10.5) = -11 and roundf(3.5) = 4: halves away from zero.
    EXPECT_FLOAT_EQ(origin.x, -11.0f * 2.0f / 498.0f);
    EXPECT_FLOAT_EQ(origin.y, 4.0f * 2.0f / 280.0f);
    EXPECT_FLOAT_EQ(origin.z, 0.0f);
}

TEST(ViewMatrix, PixelScaledFramebufferViewAgreesWithTheScreenMatrix) {
    const View view{{33.3f, -12.7f, 0.5f}, 2.0f, 1920, 1080};
    const glm::mat4 clip = camera_math::ViewMatrix(view, true, -1, -1);
    const glm::mat4 screen = camera_math::ScreenMatrix(view);
    for (glm::vec3 world : {glm::vec3(40.0f, -10.0f, 0.0f), glm::vec3(-100.0f, 50.0f, 2.0f)}) {
        const glm::vec3 ndc = Apply(clip, world);
        const glm::vec3 pixel = Apply(screen, world);
        EXPECT_NEAR((ndc.x + 1.0f) * 960.0f, pixel.x, 1e-2f);
        EXPECT_NEAR((1.0f - ndc.y) * 540.0f, pixel.y, 1e-2f);
        EXPECT_NEAR(ndc.z, world.z - view.position.z, 1e-6f);
    }
}

}  // namespace
