#pragma once
// The frame loop's focus and minimise decision, kept apart from the window
// so it can be tested on its own. A full-screen window that loses focus is
// minimised once it has been in the background for more than 0.2 s; a
// minimised window that has focus again is restored 0.2 s later. One
// deadline serves both timers. The window is granted focus some frames after
// it opens: until it has held focus once, lacking it is not a loss.

struct FocusTimers {
    bool heldFocus = false;
    bool minimiseArmed = false;
    bool restoreArmed = false;
    float deadline = 0.0f;  // clock reading, seconds
};

struct FocusDecision {
    bool pause = false;      // open the pause menu (it opens only once)
    bool hasFocus = false;
    bool minimized = false;  // the engine's new minimised flag
    bool iconify = false;    // minimise the window now
    bool restore = false;    // restore the window now
    bool sleep = false;      // sleep 100 ms this frame
};

// focused: the window is the foreground window; minimized: the engine's
// flag before this frame; now: the clock in seconds.
FocusDecision DecideFocus(bool focused, bool minimized, bool fullscreen, float now, FocusTimers& timers);
