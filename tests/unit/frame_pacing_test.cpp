// Frame pacing: the least interval for each kind of window, the refresh rate
// of the monitors a window is on, and the wait before the next frame.
#include <gtest/gtest.h>

#include "app/frame_pacer.h"

TEST(FramePacing, EachWindowIsCappedAtWhatItsViewerCanSee) {
    constexpr FrameRateChoice every = FrameRateChoice::EveryRefresh;
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 60, every, -1.0), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 144, every, -1.0), 1.0 / 144.0);
    // Where the system cannot say, 60 Hz.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::FullScreen, 0, every, -1.0), 1.0 / 60.0);
    // A preview at most 30 a second, in whole refreshes, or its monitor's rate where that is lower.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::Preview, 60, every, -1.0), 1.0 / 30.0);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::Preview, 144, every, -1.0), 5.0 / 144.0);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::Preview, 24, every, -1.0), 1.0 / 24.0);
    EXPECT_DOUBLE_EQ(
        minimumFrameInterval(PacedWindow::Preview, 240, FrameRateChoice::About30, -1.0),
        8.0 / 240.0);
    // A hack as its delay says, but never faster than its monitor or its choice.
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, every, 0.03), 0.03);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, every, 0.5), 0.5);
    EXPECT_DOUBLE_EQ(minimumFrameInterval(PacedWindow::HandedWindow, 60, every, 0.0), 1.0 / 60.0);
    EXPECT_DOUBLE_EQ(
        minimumFrameInterval(PacedWindow::HandedWindow, 60, FrameRateChoice::About30, 0.02),
        1.0 / 30.0);
}

// Frames a second at each choice: a whole fraction of the refresh, the one
// nearest to the cap.
TEST(FramePacing, TheCapIsAWholeFractionOfTheRefresh) {
    struct Row {
        int refreshHz;
        double upTo60, about30;
    };
    const Row rows[] = {{60, 60, 30},    {75, 75, 25},    {90, 45, 30}, {120, 60, 30},
                        {144, 72, 28.8}, {165, 55, 27.5}, {240, 60, 30}};
    for (const Row& row : rows) {
        const auto perSecond = [&](FrameRateChoice choice) {
            return 1.0 / minimumFrameInterval(PacedWindow::FullScreen, row.refreshHz, choice, -1.0);
        };
        EXPECT_DOUBLE_EQ(perSecond(FrameRateChoice::UpTo60), row.upTo60) << row.refreshHz;
        EXPECT_DOUBLE_EQ(perSecond(FrameRateChoice::About30), row.about30) << row.refreshHz;
        EXPECT_DOUBLE_EQ(perSecond(FrameRateChoice::EveryRefresh), row.refreshHz);
    }
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

    // Frames whose own work leaves less than a millisecond each time, started
    // as soon as allowed: still no more than the cap over five seconds. After
    // a stall the frames go on at the cap, not faster.
    for (const double work : {1.0 / 60 - 0.0008, 1.0 / 60 - 0.0002}) {
        FramePacer capped(1.0 / 60);
        int frames = 0;
        for (double now = 0.0; now < 5.0; now += capped.waitBeforeNextFrame(now)) {
            capped.frameStarted(now);
            ++frames;
            now += frames == 100 ? 0.5 : work;
        }
        // The first frame and the stalled one, then the rest of the time at the cap.
        EXPECT_LE(frames, 2 + (5.0 - 0.5) * 60) << "work " << work;
    }
}
