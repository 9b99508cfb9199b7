// Whole-frame statistics and the one-time render-mode decision, driven by a
// test clock: the thresholds at and around their values, the hundred
// measured frames before the choice, and a choice that never changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "scene/frame_time_stats.h"
#include "scene/render_mode_decision.h"
#include "tests/support/scripted_timer.h"

namespace {

struct Expected {
    float averageMs;
    int mode;
    int reducedSize;
};

float above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}

}  // namespace

TEST(FrameTimeStats, FirstTickStartsTheClockAndLaterTicksMeasureFromTheSecondRead) {
    // tick 1 reads start; each later tick reads end, then start again.
    scriptTimerReadings({10.0, 10.5, 10.75, 11.0, 11.25});
    FrameTimeStats stats(scriptedTimer);
    stats.tick();
    EXPECT_EQ(stats.count(), 0);
    EXPECT_EQ(stats.averageMs(), 0.0f);
    stats.tick();
    EXPECT_EQ(stats.count(), 1);
    EXPECT_FLOAT_EQ(stats.lastMs(), 500.0f);
    stats.tick();
    // From the restart read at 10.75, not from the end read at 10.5.
    EXPECT_EQ(stats.count(), 2);
    EXPECT_FLOAT_EQ(stats.lastMs(), 250.0f);
    EXPECT_FLOAT_EQ(stats.averageMs(), 375.0f);
}

TEST(FrameTimeStats, TimesAreHeldInSinglePrecision) {
    // 100000.001 s and 100000.003 s are the same float: the interval measures 0.
    scriptTimerReadings({100000.001, 100000.003, 100000.003});
    FrameTimeStats stats(scriptedTimer);
    stats.tick();
    stats.tick();
    EXPECT_EQ(stats.lastMs(), 0.0f);
    // 2.0 s to 2.0 + 2^-10 s is exact in float: 0.9765625 ms.
    scriptTimerReadings({2.0, 2.0 + 1.0 / 1024.0, 3.0});
    FrameTimeStats exact(scriptedTimer);
    exact.tick();
    exact.tick();
    EXPECT_EQ(exact.lastMs(), 0.9765625f);
}

TEST(RenderModeDecision, ThresholdsAtAndAroundTheirValues) {
    const Expected cases[] = {
        {0.0f, kFullResolution, 1024},      {16.7f, kFullResolution, 1024},
        {25.0f, kFullResolution, 1024},     {above(25.0f), kReducedResolution, 1024},
        {50.0f, kReducedResolution, 1024},  {above(50.0f), kReducedResolution, 512},
        {100.0f, kReducedResolution, 512},  {above(100.0f), kReducedResolution, 256},
        {5000.0f, kReducedResolution, 256},
    };
    for (const Expected& c : cases) {
        RenderModeState state;
        EXPECT_TRUE(decideRenderMode(state, 100, c.averageMs));
        EXPECT_EQ(state.currentRenderMode, c.mode) << c.averageMs << " ms";
        EXPECT_EQ(state.reducedSize, c.reducedSize) << c.averageMs << " ms";
        EXPECT_EQ(state.modeDecided, 1);
    }
}

TEST(RenderModeDecision, WaitsForAHundredFramesThenNeverChanges) {
    RenderModeState state;
    EXPECT_FALSE(decideRenderMode(state, 99, 500.0f));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    EXPECT_EQ(state.modeDecided, 0);
    EXPECT_TRUE(decideRenderMode(state, 100, 10.0f));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    // A slow stretch later changes nothing.
    EXPECT_FALSE(decideRenderMode(state, 500, 500.0f));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    EXPECT_EQ(state.reducedSize, 1024);

    RenderModeState slow;
    EXPECT_TRUE(decideRenderMode(slow, 150, 60.0f));
    EXPECT_FALSE(decideRenderMode(slow, 151, 1.0f));
    EXPECT_EQ(slow.currentRenderMode, kReducedResolution);
    EXPECT_EQ(slow.reducedSize, 512);
}

// The renderer's order each frame: tick, draw in the current mode, decide.
TEST(RenderModeDecision, FramesOneToHundredAndOneAreDrawnAtFullResolution) {
    for (double frameSeconds : {0.005, 0.04, 0.3, 2.0}) {
        timerNow = 50.0;
        FrameTimeStats stats(settableTimer);
        RenderModeState state;
        std::vector<int> drawnIn;
        for (int frame = 1; frame <= 110; ++frame) {
            stats.tick();
            drawnIn.push_back(state.currentRenderMode);
            decideRenderMode(state, stats.count(), stats.averageMs());
            timerNow += frameSeconds;
        }
        for (int frame = 1; frame <= 101; ++frame) {
            EXPECT_EQ(drawnIn[frame - 1], kFullResolution)
                << "frame " << frame << " at " << frameSeconds << " s";
        }
        const int later = frameSeconds * 1000.0 > 25.0 ? kReducedResolution : kFullResolution;
        for (int frame = 102; frame <= 110; ++frame) {
            EXPECT_EQ(drawnIn[frame - 1], later) << "frame " << frame << " at " << frameSeconds;
        }
        EXPECT_EQ(state.modeDecided, 1);
    }
}

TEST(RenderModeDecision, ChoosesFromTheAverageOfTheFirstHundredIntervals) {
    // 99 quick intervals and one very slow one: the average, not the last, decides.
    timerNow = 0.0;
    FrameTimeStats stats(settableTimer);
    RenderModeState state;
    stats.tick();
    for (int interval = 1; interval <= 100; ++interval) {
        timerNow += interval < 100 ? 0.010 : 4.0;
        stats.tick();
        decideRenderMode(state, stats.count(), stats.averageMs());
    }
    EXPECT_NEAR(stats.averageMs(), (99 * 10.0 + 4000.0) / 100.0, 0.01);
    EXPECT_EQ(state.currentRenderMode, kReducedResolution);
    EXPECT_EQ(state.reducedSize, 1024);
}
