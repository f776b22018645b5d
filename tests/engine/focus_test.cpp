#include <gtest/gtest.h>

#include "core/engine/focus.h"

namespace {

TEST(Focus, FullScreenWindowInTheBackgroundIsMinimisedAfterTwoTenths) {
    FocusTimers timers;
    timers.heldFocus = true;
    FocusDecision d = DecideFocus(false, false, true, 10.0f, timers);
    EXPECT_TRUE(d.pause);
    EXPECT_FALSE(d.hasFocus);
    EXPECT_FALSE(d.iconify);
    EXPECT_FALSE(d.sleep);
    d = DecideFocus(false, false, true, 10.2f, timers);
    EXPECT_FALSE(d.iconify) << "the deadline itself is not past it";
    d = DecideFocus(false, false, true, 10.25f, timers);
    EXPECT_TRUE(d.iconify);
    EXPECT_TRUE(d.minimized);
    EXPECT_TRUE(d.sleep) << "the frame that minimises sleeps too";
    d = DecideFocus(false, true, true, 10.3f, timers);
    EXPECT_FALSE(d.iconify) << "minimised once";
    EXPECT_TRUE(d.sleep);
}

TEST(Focus, LackingFocusCountsAsALossOnlyAfterTheWindowHeldIt) {
    FocusTimers timers;
    // The window is granted focus some frames after it opens.
    for (float now : {0.0f, 0.1f, 0.5f}) {
        const FocusDecision d = DecideFocus(false, false, true, now, timers);
        EXPECT_FALSE(d.pause || d.iconify || d.hasFocus || d.sleep) << now;
    }
    EXPECT_TRUE(DecideFocus(true, false, true, 0.6f, timers).hasFocus);
    EXPECT_TRUE(DecideFocus(false, false, true, 0.7f, timers).pause);
    EXPECT_TRUE(DecideFocus(false, false, true, 0.95f, timers).iconify);
}

TEST(Focus, WindowedGameIsNeverMinimisedByTheLoop) {
    FocusTimers timers;
    timers.heldFocus = true;
    for (float now = 0.0f; now < 2.0f; now += 0.1f) {
        const FocusDecision d = DecideFocus(false, false, false, now, timers);
        EXPECT_TRUE(d.pause);
        EXPECT_FALSE(d.iconify);
        EXPECT_FALSE(d.minimized);
        EXPECT_FALSE(d.sleep);
    }
}

TEST(Focus, MinimisedWindowWithFocusIsRestoredAfterTwoTenthsAndNotUnpaused) {
    FocusTimers timers;
    FocusDecision d = DecideFocus(true, true, true, 5.0f, timers);
    EXPECT_TRUE(d.hasFocus);
    EXPECT_FALSE(d.pause);
    EXPECT_FALSE(d.restore);
    EXPECT_TRUE(d.minimized);
    EXPECT_TRUE(d.sleep);
    d = DecideFocus(true, true, true, 5.21f, timers);
    EXPECT_TRUE(d.restore);
    EXPECT_FALSE(d.minimized);
    EXPECT_FALSE(d.sleep);
}

TEST(Focus, RegainingFocusDisarmsTheMinimiseTimer) {
    FocusTimers timers;
    timers.heldFocus = true;
    DecideFocus(false, false, true, 1.0f, timers);
    DecideFocus(true, false, true, 1.1f, timers);
    // Lost again: a fresh 0.2 s starts from now, not from the first loss.
    FocusDecision d = DecideFocus(false, false, true, 1.3f, timers);
    EXPECT_FALSE(d.iconify);
    d = DecideFocus(false, false, true, 1.45f, timers);
    EXPECT_FALSE(d.iconify);
    d = DecideFocus(false, false, true, 1.55f, timers);
    EXPECT_TRUE(d.iconify);
}

}  // namespace
