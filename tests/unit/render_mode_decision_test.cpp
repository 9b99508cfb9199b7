// Whole-frame statistics and the one-time render-mode decision, driven by a
// test clock: the thresholds at and around their values, the window's size
// against the pattern's, the waits the program chose left out, the hundred
// measured frames before the choice, and a choice that never changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "scene/frame_time_stats.h"
#include "scene/render_mode_decision.h"

namespace {

// A 1920 x 1080 screen, where every S of the rules has fewer pixels.
constexpr long long kFullHdPixels = 1920LL * 1080;

struct Expected {
    float averageMs;
    int mode;
    int reducedSize;
};

float above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}

}  // namespace

TEST(FrameTimeStats, FirstTickStartsTheClockAndLaterTicksMeasureFromThePreviousOne) {
    FrameTimeStats stats;
    stats.tick(10.0);
    EXPECT_EQ(stats.count(), 0);
    EXPECT_EQ(stats.averageMs(), 0.0f);
    stats.tick(10.5);
    EXPECT_EQ(stats.count(), 1);
    EXPECT_FLOAT_EQ(stats.lastMs(), 500.0f);
    stats.tick(10.75);
    EXPECT_EQ(stats.count(), 2);
    EXPECT_FLOAT_EQ(stats.lastMs(), 250.0f);
    EXPECT_FLOAT_EQ(stats.averageMs(), 375.0f);
}

TEST(FrameTimeStats, TimesAreHeldInSinglePrecision) {
    // 100000.001 s and 100000.003 s are the same float: the interval measures 0.
    FrameTimeStats stats;
    stats.tick(100000.001);
    stats.tick(100000.003);
    EXPECT_EQ(stats.lastMs(), 0.0f);
    // 2.0 s to 2.0 + 2^-10 s is exact in float: 0.9765625 ms.
    FrameTimeStats exact;
    exact.tick(2.0);
    exact.tick(2.0 + 1.0 / 1024.0);
    EXPECT_EQ(exact.lastMs(), 0.9765625f);
}

TEST(FrameTimeStats, TheTimeTheProgramChoseToWaitIsLeftOut) {
    FrameTimeStats stats;
    stats.tick(1.0);
    // A frame paced to 30 a second whose work took 8 ms.
    stats.tick(1.0 + 1.0 / 30.0, 1.0 / 30.0 - 0.008);
    EXPECT_NEAR(stats.lastMs(), 8.0f, 0.01f);
    // A pause of ten minutes is not a slow frame; a wait longer than the
    // interval (the clock read late) counts as no work rather than less.
    stats.tick(601.0 + 1.0 / 30.0 + 0.012, 600.0);
    EXPECT_NEAR(stats.lastMs(), 12.0f, 0.1f);
    stats.tick(602.0, 5.0);
    EXPECT_EQ(stats.lastMs(), 0.0f);
    EXPECT_EQ(stats.count(), 3);
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
        EXPECT_TRUE(decideRenderMode(state, 100, c.averageMs, kFullHdPixels));
        EXPECT_EQ(state.currentRenderMode, c.mode) << c.averageMs << " ms";
        EXPECT_EQ(state.reducedSize, c.reducedSize) << c.averageMs << " ms";
        EXPECT_EQ(state.modeDecided, 1);
    }
}

TEST(RenderModeDecision, WaitsForAHundredFramesThenNeverChanges) {
    RenderModeState state;
    EXPECT_FALSE(decideRenderMode(state, 99, 500.0f, kFullHdPixels));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    EXPECT_EQ(state.modeDecided, 0);
    EXPECT_TRUE(decideRenderMode(state, 100, 10.0f, kFullHdPixels));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    // A slow stretch later changes nothing.
    EXPECT_FALSE(decideRenderMode(state, 500, 500.0f, kFullHdPixels));
    EXPECT_EQ(state.currentRenderMode, kFullResolution);
    EXPECT_EQ(state.reducedSize, 1024);

    RenderModeState slow;
    EXPECT_TRUE(decideRenderMode(slow, 150, 60.0f, kFullHdPixels));
    EXPECT_FALSE(decideRenderMode(slow, 151, 1.0f, kFullHdPixels));
    EXPECT_EQ(slow.currentRenderMode, kReducedResolution);
    EXPECT_EQ(slow.reducedSize, 512);
}

TEST(RenderModeDecision, ThePatternNeverHasAsManyPixelsAsTheWindow) {
    struct Window {
        int width, height;
        float averageMs;
        int mode, reducedSize;
    };
    const Window cases[] = {
        // 640 x 360 is 230,400 pixels: 1024 and 512 would compute more.
        {640, 360, 40.0f, kReducedResolution, 256},
        {640, 360, 70.0f, kReducedResolution, 256},
        {1920, 1080, 40.0f, kReducedResolution, 1024},
        {1366, 768, 40.0f, kReducedResolution, 1024},  // 1,049,088 > 1024 x 1024
        {1024, 1024, 40.0f, kReducedResolution, 512},  // as many is not fewer
        {1024, 1024, 120.0f, kReducedResolution, 256},
        {640, 480, 30.0f, kReducedResolution, 512},
        // A preview has fewer pixels than the smallest S: always full resolution.
        {152, 112, 40.0f, kFullResolution, 1024},
        {152, 112, 5000.0f, kFullResolution, 1024},
        {256, 256, 500.0f, kFullResolution, 1024},
        {256, 257, 500.0f, kReducedResolution, 256},
        {0, 0, 500.0f, kFullResolution, 1024},  // a minimised window
    };
    for (const Window& w : cases) {
        RenderModeState state;
        EXPECT_TRUE(decideRenderMode(state, 100, w.averageMs, 1LL * w.width * w.height));
        EXPECT_EQ(state.currentRenderMode, w.mode) << w.width << "x" << w.height;
        EXPECT_EQ(state.reducedSize, w.reducedSize) << w.width << "x" << w.height;
    }
}

TEST(RenderModeDecision, TheFirstFramesPatternCostsAtMostASixteenthOfTheWindow) {
    const struct {
        int width, height, size;
    } cases[] = {
        {3840, 2160, 256}, {1920, 1080, 256}, {1280, 720, 128}, {1024, 1024, 256},
        {640, 360, 64},    {320, 240, 64},    {152, 112, 32},   {100, 100, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(firstFrameReducedSize(1LL * c.width * c.height), c.size)
            << c.width << "x" << c.height;
    }
}

// A machine that keeps up with a 30 Hz cap: 33 ms between frames, 8 ms of
// work. Paced or not, the decision is the same.
TEST(RenderModeDecision, ACappedFrameIsJudgedByItsWorkNotItsPace) {
    for (double waitSeconds : {0.0, 1.0 / 30.0 - 0.008}) {
        FrameTimeStats stats;
        RenderModeState state;
        double now = 5.0;
        stats.tick(now);
        for (int frame = 1; frame <= 100; ++frame) {
            now += 0.008 + waitSeconds;
            stats.tick(now, waitSeconds);
            decideRenderMode(state, stats.count(), stats.averageMs(), kFullHdPixels);
        }
        EXPECT_EQ(state.modeDecided, 1);
        EXPECT_EQ(state.currentRenderMode, kFullResolution) << waitSeconds;
        EXPECT_NEAR(stats.averageMs(), 8.0f, 0.05f);
    }
}

TEST(RenderModeDecision, ChoosesFromTheAverageOfTheFirstHundredIntervals) {
    // 99 quick intervals and one very slow one: the average, not the last, decides.
    double now = 0.0;
    FrameTimeStats stats;
    RenderModeState state;
    stats.tick(now);
    for (int interval = 1; interval <= 100; ++interval) {
        now += interval < 100 ? 0.010 : 4.0;
        stats.tick(now);
        decideRenderMode(state, stats.count(), stats.averageMs(), kFullHdPixels);
    }
    EXPECT_NEAR(stats.averageMs(), (99 * 10.0 + 4000.0) / 100.0, 0.01);
    EXPECT_EQ(state.currentRenderMode, kReducedResolution);
    EXPECT_EQ(state.reducedSize, 1024);
}
