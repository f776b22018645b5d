#include "core/engine/focus.h"

namespace {

constexpr float kDelay = 0.2f;

// Arms the timer when it is not armed; true, disarming it, once now is past
// its deadline.
bool TimerFires(bool& armed, float& deadline, float now) {
    if (!armed) {
        armed = true;
        deadline = now + kDelay;
    }
    if (!(now > deadline)) return false;
    armed = false;
    return true;
}

}  // namespace

FocusDecision DecideFocus(bool focused, bool minimized, bool fullscreen, float now, FocusTimers& timers) {
    FocusDecision decision;
    decision.minimized = minimized;
    if (focused) timers.heldFocus = true;
    if (!focused && !timers.heldFocus) {
        decision.sleep = minimized;
        return decision;
    }
    if (!focused) {
        decision.pause = true;
        timers.restoreArmed = false;
        if (!minimized && fullscreen && TimerFires(timers.minimiseArmed, timers.deadline, now)) {
            decision.minimized = true;
            decision.iconify = true;
        }
    } else {
        decision.hasFocus = true;
        timers.minimiseArmed = false;
        if (minimized && TimerFires(timers.restoreArmed, timers.deadline, now)) {
            decision.minimized = false;
            decision.restore = true;
        }
    }
    decision.sleep = decision.minimized;
    return decision;
}
