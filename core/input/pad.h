#pragma once
// Game-pad logic over the raw buttons, axes and names the window library
// reports, apart from the library so it can be tested on its own.
//
// Pads use one of two button layouts: the generic one (the order XInput pads
// report: A, B, X, Y, LB, RB, Back, Start, sticks, then the direction pad)
// or the alternative one of a pad named "Wireless Controller" that reports
// exactly 18 buttons.

#include <functional>
#include <vector>

#include <glm/vec2.hpp>

namespace pad {

constexpr int kGenericLayout = 0;
constexpr int kAlternativeLayout = 1;

// Virtual pad-button codes, directly after the last keyboard key code.
constexpr int kStart = 349;
constexpr int kFirstButton = 349;
constexpr int kLastButton = 357;

int LayoutFor(int buttonCount, const char* name);

// Whether the pad holds the virtual button down. Codes outside 349..357 and
// buttons the pad does not report are never down.
bool ButtonDown(int code, int layout, const unsigned char* buttons, int buttonCount);

// The buttons one pad reports, with its layout.
struct Buttons {
    const unsigned char* states = nullptr;
    int count = 0;
    int layout = kGenericLayout;
};

// Whether any of the connected pads, read in order through read, holds the
// virtual button. None does while the game lacks focus. A read may report a
// disconnection, which edits pads: the search then ends with false.
bool AnyButtonDown(int code, bool focused, const std::vector<int>& pads, const std::function<Buttons(int)>& read);

// Stick 0 is the left stick, any other value the right; axes the pad does
// not report count as 0.
glm::vec2 Stick(int stick, int layout, const float* axes, int axisCount);

// Chooses among pads, polled in order: a stick replaces the choice so far
// only when it is deflected more than 0.0099 further, so a stick resting
// near the centre reads (0, 0) and an earlier pad wins a near tie.
class StickChoice {
public:
    void Offer(glm::vec2 stick);
    glm::vec2 Result() const { return result; }

private:
    float best = 0.0f;
    glm::vec2 result{0.0f, 0.0f};
};

}  // namespace pad
