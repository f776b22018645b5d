#include "core/input/pad.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pad {
namespace {

// Button index of each virtual button, per layout.
constexpr int kGenericIndex[] = {7, 0, 1, 2, 3, 10, 11, 12, 13};
constexpr int kAlternativeIndex[] = {9, 1, 2, 0, 3, 14, 15, 16, 17};

float Axis(const float* axes, int axisCount, int index) { return index < axisCount ? axes[index] : 0.0f; }

}  // namespace

int LayoutFor(int buttonCount, const char* name) {
    const bool alternative = buttonCount == 18 && name && std::strcmp(name, "Wireless Controller") == 0;
    return alternative ? kAlternativeLayout : kGenericLayout;
}

bool ButtonDown(int code, int layout, const unsigned char* buttons, int buttonCount) {
    if (code < kFirstButton || code > kLastButton || !buttons) return false;
    const int* table = layout == kAlternativeLayout ? kAlternativeIndex : kGenericIndex;
    const int index = table[code - kFirstButton];
    return index < buttonCount && buttons[index] != 0;
}

bool AnyButtonDown(int code, bool focused, const std::vector<int>& pads, const std::function<Buttons(int)>& read) {
    if (!focused) return false;
    const size_t padCount = pads.size();
    for (size_t i = 0; i < pads.size(); ++i) {
        const Buttons buttons = read(pads[i]);
        if (pads.size() != padCount) return false;
        if (ButtonDown(code, buttons.layout, buttons.states, buttons.count)) return true;
    }
    return false;
}

glm::vec2 Stick(int stick, int layout, const float* axes, int axisCount) {
    const bool alternative = layout == kAlternativeLayout;
    if (stick == 0) {
        const float y = Axis(axes, axisCount, 1);
        return {Axis(axes, axisCount, 0), alternative ? -y : y};
    }
    if (alternative) return {Axis(axes, axisCount, 2), -Axis(axes, axisCount, 5)};
    return {Axis(axes, axisCount, 2), Axis(axes, axisCount, 3)};
}

void StickChoice::Offer(glm::vec2 stick) {
    const float deflection = std::max(std::fabs(stick.x), std::fabs(stick.y));
    if (deflection - 0.0099f > best) {
        best = deflection;
        result = stick;
    }
}

}  // namespace pad
