// Whole-frame statistics and the one-time render-mode decision, driven by a
// test clock: the thresholds at and around their values, the typical frame
// that stalls cannot move, the waits the program chose left out, the hundred
// measured frames before the choice, a choice that never changes, and the
// pattern's size in windows of every shape.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "scene/frame_time_stats.h"
#include "scene/render_mode_decision.h"

namespace {

struct Expected {
    float typicalMs;
    int mode;
    int reducedSize;
};

float above(float value) {
    return std::nextafter(value, std::numeric_limits<float>::infinity());
}

// The decision as the scene makes it, after a first unmeasured frame and then
// the given frame lengths in seconds, each followed by `waitSeconds` of pacing.
struct Decided {
    RenderModeState state;
    float typicalMs = 0.0f;
    float averageMs = 0.0f;
};

Decided decideAfter(const std::vector<double>& frameSeconds, double waitSeconds = 0.0) {
    Decided d;
    FrameTimeStats stats(kFramesBeforeDecision);
    double now = 5.0;
    stats.tick(now);
    for (double seconds : frameSeconds) {
        now += seconds + waitSeconds;
        stats.tick(now, waitSeconds);
        d.typicalMs = typicalFrameMs(stats.firstFramesMs());
        decideRenderMode(d.state, stats.count(), d.typicalMs);
    }
    d.averageMs = stats.averageMs();
    return d;
}

std::vector<double> frames(int count, double seconds) {
    return std::vector<double>(static_cast<std::size_t>(count), seconds);
}

std::vector<double> operator+(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
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
    EXPECT_EQ(stats.firstFramesMs(), (std::vector<float>{500.0f, 250.0f}));
    // Only the first ones are kept, one by one.
    FrameTimeStats few(2);
    for (double now : {1.0, 1.5, 1.75, 3.0}) {
        few.tick(now);
    }
    EXPECT_EQ(few.firstFramesMs(), (std::vector<float>{500.0f, 250.0f}));
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
        {0.0f, kFullResolution, 800},       {16.7f, kFullResolution, 800},
        {25.0f, kFullResolution, 800},      {above(25.0f), kReducedResolution, 560},
        {50.0f, kReducedResolution, 560},   {above(50.0f), kReducedResolution, 400},
        {100.0f, kReducedResolution, 400},  {above(100.0f), kReducedResolution, 280},
        {5000.0f, kReducedResolution, 280},
    };
    for (const Expected& c : cases) {
        RenderModeState state;
        EXPECT_TRUE(decideRenderMode(state, 100, c.typicalMs));
        EXPECT_EQ(state.currentRenderMode, c.mode) << c.typicalMs << " ms";
        EXPECT_EQ(state.reducedSize, c.reducedSize) << c.typicalMs << " ms";
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
    EXPECT_EQ(state.reducedSize, 800);

    RenderModeState slow;
    EXPECT_TRUE(decideRenderMode(slow, 150, 60.0f));
    EXPECT_FALSE(decideRenderMode(slow, 151, 1.0f));
    EXPECT_EQ(slow.currentRenderMode, kReducedResolution);
    EXPECT_EQ(slow.reducedSize, 400);
}

// One stall, however long, among frames of 20 ms leaves the water at its own
// size; the plain average would have taken 30 ms or 50 ms for the frame.
TEST(RenderModeDecision, AStallAmongQuickFramesDecidesNothing) {
    for (double stall : {1.0, 3.0}) {
        const Decided d = decideAfter(frames(99, 0.020) + frames(1, stall));
        EXPECT_EQ(d.state.modeDecided, 1) << stall;
        EXPECT_EQ(d.state.currentRenderMode, kFullResolution) << stall;
        EXPECT_NEAR(d.typicalMs, 20.0f, 0.01f) << stall;
        EXPECT_GT(d.averageMs, 25.0f) << stall;
    }
    // Ten stalls are still left out, wherever they fall.
    const Decided ten = decideAfter(frames(45, 0.020) + frames(10, 2.0) + frames(45, 0.020));
    EXPECT_EQ(ten.state.currentRenderMode, kFullResolution);
}

TEST(RenderModeDecision, AMachineWhoseFramesAreMostlySlowIsJudgedSlow) {
    const Decided steady = decideAfter(frames(100, 0.030));
    EXPECT_EQ(steady.state.currentRenderMode, kReducedResolution);
    EXPECT_EQ(steady.state.reducedSize, 560);
    // The mean of the 90 quickest: 85 of 20 ms and 5 of 200 ms make 30 ms.
    const Decided oftenSlow = decideAfter(frames(85, 0.020) + frames(15, 0.200));
    EXPECT_NEAR(oftenSlow.typicalMs, 30.0f, 0.01f);
    EXPECT_EQ(oftenSlow.state.currentRenderMode, kReducedResolution);
    EXPECT_EQ(oftenSlow.state.reducedSize, 560);
    // 91 of 20 ms and 9 of 500 ms: every slow one is left out.
    const Decided fewSlow = decideAfter(frames(91, 0.020) + frames(9, 0.500));
    EXPECT_NEAR(fewSlow.typicalMs, 20.0f, 0.01f);
    EXPECT_EQ(fewSlow.state.currentRenderMode, kFullResolution);
    // Frames after the hundredth are neither kept nor judged.
    const Decided late = decideAfter(frames(100, 0.010) + frames(100, 0.5));
    EXPECT_EQ(late.state.currentRenderMode, kFullResolution);
    EXPECT_EQ(typicalFrameMs({}), 0.0f);
}

// A machine that keeps up with a 30 Hz cap: 33 ms between frames, 8 ms of
// work. Paced or not, the decision is the same.
TEST(RenderModeDecision, ACappedFrameIsJudgedByItsWorkNotItsPace) {
    for (double waitSeconds : {0.0, 1.0 / 30.0 - 0.008}) {
        const Decided d = decideAfter(frames(100, 0.008), waitSeconds);
        EXPECT_EQ(d.state.modeDecided, 1);
        EXPECT_EQ(d.state.currentRenderMode, kFullResolution) << waitSeconds;
        EXPECT_NEAR(d.typicalMs, 8.0f, 0.05f);
    }
}

TEST(PatternPass, AboutEightHundredTexelsAcrossInTheWindowsShape) {
    const struct {
        int across, width, height;
        bool onePass;
        int patternAcross, drawnWidth, drawnHeight;
        float height_;
    } cases[] = {
        {800, 1920, 1080, false, 800, 801, 451, 450.0f},
        {800, 1366, 768, false, 800, 801, 451, 449.78f},
        {280, 3840, 2160, false, 280, 281, 159, 157.5f},
        {800, 1280, 1024, false, 800, 801, 641, 640.0f},
        // Portrait: as tall as the target allows, 1023 * 1080 / 1920 across.
        {800, 1080, 1920, false, 575, 576, 1024, 1022.22f},
        // Never wider than the window; a pattern of more than three quarters
        // of the window's pixels is not worth its own pass.
        {800, 640, 360, true, 640, 641, 361, 360.0f},
        {800, 923, 519, true, 800, 801, 451, 449.83f},
        {800, 924, 520, false, 800, 801, 452, 450.22f},
        {400, 640, 360, false, 400, 401, 226, 225.0f},
        {800, 152, 112, true, 152, 153, 113, 112.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.across << " across " << c.width << "x" << c.height);
        const PatternPass pass = patternPassFor(c.across, c.width, c.height);
        EXPECT_EQ(pass.onePass, c.onePass);
        EXPECT_EQ(pass.across, c.patternAcross);
        EXPECT_EQ(pass.drawnWidth, c.drawnWidth);
        EXPECT_EQ(pass.drawnHeight, c.drawnHeight);
        EXPECT_NEAR(pass.height, c.height_, 0.01f);
        EXPECT_LE(pass.drawnHeight, kNormalsTargetSize);
    }
    // A minimised window has no pixels to spare.
    EXPECT_TRUE(patternPassFor(800, 0, 0).onePass);
    EXPECT_TRUE(patternPassFor(800, 1920, 0).onePass);
}
