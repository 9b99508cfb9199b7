// The time a window's frame is told it was not drawn, with one window or
// beside others that are drawn while it is not seen.
#include <gtest/gtest.h>

#include "app/time_between_frames.h"

TEST(TimeBetweenFrames, LoopWaitsAddUpAndAWindowSkippedCountsItsWholeTimeAwayAsPaused) {
    TimeBetweenFrames window;
    // Drawn every pass: the loop's waits since the last frame, then afresh.
    window.addLoopWait(0.010, 0.0);
    window.addLoopWait(0.500, 0.450);
    TimeBetweenFrames::Gap gap = window.take(10.0);
    EXPECT_DOUBLE_EQ(gap.waited, 0.510);
    EXPECT_DOUBLE_EQ(gap.paused, 0.450);
    gap = window.take(10.02);
    EXPECT_DOUBLE_EQ(gap.waited, 0.0);
    EXPECT_DOUBLE_EQ(gap.paused, 0.0);

    // The wait before the first skipped pass counts once; the passes skipped
    // meanwhile (other windows drawn, loop waits between) count as time away.
    window.addLoopWait(0.015, 0.0);
    window.skipped(11.0);
    window.addLoopWait(0.015, 0.0);
    window.skipped(11.5);
    window.addLoopWait(0.200, 0.200);
    gap = window.take(13.0);
    EXPECT_DOUBLE_EQ(gap.waited, 0.015 + 2.0);
    EXPECT_DOUBLE_EQ(gap.paused, 2.0);
    EXPECT_DOUBLE_EQ(window.take(13.02).waited, 0.0);
}
