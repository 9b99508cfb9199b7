// Frame pacing: the least interval for each kind of window, the refresh rate
// of the monitors a window is on, and the wait before the next frame.
#include <gtest/gtest.h>

#include "app/frame_pacer.h"

TEST(FramePacing, EachWindowIsCappedAtWhatItsViewerCanSee) {
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 60, -1.0), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 144, -1.0), 1.0 / 144.0);
    // Where the system cannot say, 60 Hz.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 0, -1.0), 1.0 / 60.0);
    // A preview at most 30 a second, or its monitor's rate where that is lower.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::Preview, 144, -1.0), 1.0 / 30.0);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::Preview, 24, -1.0), 1.0 / 24.0);
    // A hack as its delay says, but never faster than its monitor.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, 0.03), 0.03);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, 0.0), 1.0 / 60.0);
}

TEST(FramePacing, AWindowIsPacedByTheFastestMonitorItOverlaps) {
    const std::vector<MonitorRefresh> monitors = {
        {{0, 0, 1280, 720}, 60}, {{1280, 0, 1024, 768}, 75}, {{0, 720, 800, 600}, 0}};
    EXPECT_EQ(refreshRateUnder({100, 100, 152, 112}, monitors), 60);
    EXPECT_EQ(refreshRateUnder({1300, 10, 640, 480}, monitors), 75);
    EXPECT_EQ(refreshRateUnder({0, 0, 2304, 768}, monitors), 75);
    // Touching an edge is not overlapping it; off every monitor, nothing is known.
    EXPECT_EQ(refreshRateUnder({1280, 768, 50, 50}, monitors), 0);
    EXPECT_EQ(refreshRateUnder({-500, -500, 100, 100}, monitors), 0);
    EXPECT_EQ(refreshRateUnder({10, 730, 100, 100}, monitors), 0);
}

TEST(FramePacing, WaitsOutTheRestOfTheIntervalFromTheFrameStart) {
    FramePacer pacer(0.025);
    EXPECT_EQ(pacer.waitBeforeNextFrame(3.0), 0.0);  // the first frame never waits
    pacer.frameStarted(10.0);
    EXPECT_NEAR(pacer.waitBeforeNextFrame(10.005), 0.020, 1e-12);
    // A frame that took longer than the interval goes on at once, as does one
    // with less than a millisecond left.
    EXPECT_EQ(pacer.waitBeforeNextFrame(10.030), 0.0);
    EXPECT_EQ(pacer.waitBeforeNextFrame(10.0245), 0.0);
}
