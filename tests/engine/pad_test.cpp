#include <vector>

#include <gtest/gtest.h>

#include "core/input/pad.h"

namespace {

std::vector<unsigned char> Buttons(int count, std::initializer_list<int> pressed) {
    std::vector<unsigned char> buttons(count, 0);
    for (int index : pressed) buttons[index] = 1;
    return buttons;
}

bool Down(int code, int layout, const std::vector<unsigned char>& buttons) {
    return pad::ButtonDown(code, layout, buttons.data(), static_cast<int>(buttons.size()));
}

TEST(PadLayout, OnlyAnEighteenButtonWirelessControllerUsesTheAlternativeLayout) {
    EXPECT_EQ(pad::LayoutFor(18, "Wireless Controller"), pad::kAlternativeLayout);
    EXPECT_EQ(pad::LayoutFor(14, "Wireless Controller"), pad::kGenericLayout);
    EXPECT_EQ(pad::LayoutFor(18, "Xbox Controller"), pad::kGenericLayout);
    EXPECT_EQ(pad::LayoutFor(18, nullptr), pad::kGenericLayout);
}

TEST(PadButtons, StartIsIndexSevenOrNineByLayout) {
    EXPECT_TRUE(Down(pad::kStart, pad::kGenericLayout, Buttons(14, {7})));
    EXPECT_FALSE(Down(pad::kStart, pad::kGenericLayout, Buttons(14, {9})));
    EXPECT_TRUE(Down(pad::kStart, pad::kAlternativeLayout, Buttons(18, {9})));
    EXPECT_FALSE(Down(pad::kStart, pad::kAlternativeLayout, Buttons(18, {7})));
    // A "Wireless Controller" with 14 buttons is read in the generic layout.
    const int layout = pad::LayoutFor(14, "Wireless Controller");
    EXPECT_TRUE(Down(pad::kStart, layout, Buttons(14, {7})));
}

TEST(PadButtons, FaceButtonsAndDirectionPadMapPerLayout) {
    const int generic[] = {0, 1, 2, 3, 10, 11, 12, 13};
    const int alternative[] = {1, 2, 0, 3, 14, 15, 16, 17};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(Down(350 + i, pad::kGenericLayout, Buttons(14, {generic[i]}))) << 350 + i;
        EXPECT_TRUE(Down(350 + i, pad::kAlternativeLayout, Buttons(18, {alternative[i]}))) << 350 + i;
    }
}

TEST(PadButtons, CodesOutsideThePadRangeAndMissingButtonsAreNeverDown) {
    const auto all = Buttons(18, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
    EXPECT_FALSE(Down(358, pad::kGenericLayout, all));
    EXPECT_FALSE(Down(358, pad::kAlternativeLayout, all));
    EXPECT_FALSE(Down(348, pad::kGenericLayout, all));
    // Eight buttons: no direction pad, and no Start beyond index 7.
    EXPECT_FALSE(Down(354, pad::kGenericLayout, Buttons(8, {0, 1, 2, 3, 4, 5, 6, 7})));
    EXPECT_FALSE(Down(pad::kStart, pad::kGenericLayout, Buttons(7, {0, 1, 2, 3, 4, 5, 6})));
    EXPECT_FALSE(pad::ButtonDown(pad::kStart, pad::kGenericLayout, nullptr, 0));
}

TEST(PadButtons, AnyPadMayHoldAButtonButNoneWithoutFocus) {
    const auto startOnly = Buttons(14, {7});
    const auto none = Buttons(14, {});
    std::vector<int> pads = {2, 5};
    std::vector<int> reads;
    auto read = [&](int joystick) {
        reads.push_back(joystick);
        if (joystick == 9) pads.pop_back();  // the read reports a disconnection
        const auto& held = joystick == 5 ? startOnly : none;
        return pad::Buttons{held.data(), int(held.size()), pad::kGenericLayout};
    };
    const struct {
        std::vector<int> pads;
        bool focused, down;
        std::vector<int> reads;
    } cases[] = {
        {{2, 5}, true, true, {2, 5}},
        {{2, 5}, false, false, {}},
        {{2}, true, false, {2}},
        {{9, 5}, true, false, {9}},
    };
    for (const auto& c : cases) {
        pads = c.pads;
        reads.clear();
        EXPECT_EQ(pad::AnyButtonDown(pad::kStart, c.focused, pads, read), c.down) << c.pads.front() << c.focused;
        EXPECT_EQ(reads, c.reads);
    }
}

TEST(PadSticks, AxesPerLayoutWithMissingAxesAsZero) {
    const float axes[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ(pad::Stick(0, pad::kGenericLayout, axes, 6), glm::vec2(0.1f, 0.2f));
    EXPECT_EQ(pad::Stick(1, pad::kGenericLayout, axes, 6), glm::vec2(0.3f, 0.4f));
    EXPECT_EQ(pad::Stick(0, pad::kAlternativeLayout, axes, 6), glm::vec2(0.1f, -0.2f));
    EXPECT_EQ(pad::Stick(7, pad::kAlternativeLayout, axes, 6), glm::vec2(0.3f, -0.6f));
    EXPECT_EQ(pad::Stick(1, pad::kGenericLayout, axes, 3), glm::vec2(0.3f, 0.0f));
    EXPECT_EQ(pad::Stick(0, pad::kGenericLayout, axes, 0), glm::vec2(0.0f, 0.0f));
}

TEST(PadSticks, ALaterPadWinsOnlyWhenClearlyFurtherDeflected) {
    pad::StickChoice nearTie;
    nearTie.Offer({0.5f, 0.0f});
    nearTie.Offer({0.0f, 0.505f});
    EXPECT_EQ(nearTie.Result(), glm::vec2(0.5f, 0.0f));

    pad::StickChoice clear;
    clear.Offer({0.5f, 0.0f});
    clear.Offer({0.0f, 0.52f});
    EXPECT_EQ(clear.Result(), glm::vec2(0.0f, 0.52f));

    pad::StickChoice resting;
    resting.Offer({0.009f, -0.005f});
    EXPECT_EQ(resting.Result(), glm::vec2(0.0f, 0.0f));
}

}  // namespace
