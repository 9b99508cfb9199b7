// How the water is drawn. The pattern is smooth at the scale of pixels, so it
// is worked out for a grid of about 800 texels across, in the window's shape,
// in the off-screen target, and a cheap full-window pass reads it back with
// bilinear filtering: a frame at 1920 x 1080 then costs about a quarter of one
// that works the pattern out per pixel, at 3840 x 2160 about a sixth, and the
// picture differs by at most a few 1/255 in a hundredth of its pixels. Where
// the pattern would have nearly as many texels as the window (a preview, a
// small window), one pass draws the whole picture per pixel instead.
//
// After the first 100 measured frames the decision is made once: a machine
// whose typical frame is still slow takes a smaller pattern.
#pragma once

#include <vector>

// Render modes of the scene: the pattern at its own size (1) or smaller (2).
// The shader's own mode 0 draws the pattern into the target, its mode 2
// reads it back, its mode 1 draws the whole picture per pixel.
constexpr int kFullResolution = 1;
constexpr int kReducedResolution = 2;

// The side of the off-screen texture.
constexpr int kNormalsTargetSize = 1024;

// Texels across the pattern until the decision says otherwise. 800 keeps
// every screen within 2/255 (p99) of the pattern worked out per pixel.
constexpr int kPatternTexelsAcross = 800;

// The pattern is drawn in a pass of its own only where it has at most three
// quarters of the window's pixels: nearer the window's own count, the second
// pass costs more than it saves.
constexpr int kPatternShareNumerator = 3;
constexpr int kPatternShareDenominator = 4;

// Frames measured before the decision.
constexpr int kFramesBeforeDecision = 100;

// The frames the decision leaves out, the slowest of them: one or a few
// stalls (the machine busy at idle time, a page-in, a driver hiccup) cannot
// move the mean of the rest, yet a machine whose frames are mostly slow is
// still judged slow, as a median alone would not show a slow tenth or more.
constexpr int kSlowestFramesLeftOut = kFramesBeforeDecision / 10;

// A typical frame time above `aboveMs` takes the pattern at `texelsAcross`;
// the first row that matches wins. At or below the last threshold the
// pattern keeps its own size. 280 across still shows every cell of the water.
struct ReducedSizeRule {
    double aboveMs;
    int texelsAcross;
};
constexpr ReducedSizeRule kReducedSizeRules[] = {
    {100.0, 280},
    {50.0, 400},
    {25.0, 560},
};

struct RenderModeState {
    int currentRenderMode = kFullResolution;
    int reducedSize = kPatternTexelsAcross;  // texels across the pattern
    int modeDecided = 0;
};

// The mean of `frameMs` without its slowest tenth (of a hundred frames, the
// ten slowest); 0 for none.
float typicalFrameMs(std::vector<float> frameMs);

// Once `measuredFrames` reaches 100, sets the mode and the pattern's size
// from `typicalMs` and marks the choice as made; later calls change nothing.
// True when this call made the choice.
bool decideRenderMode(RenderModeState& state, int measuredFrames, float typicalMs);

// One frame's pattern in a window of width x height: `across` texels across
// its width (its height in proportion, not a whole number), drawn into the
// lower-left `drawnWidth` x `drawnHeight` texels of the target, one more
// each way than the window's edge needs, so that bilinear reading never
// falls outside what was drawn. `onePass` where the window is drawn per pixel
// instead: the pattern would not save enough, or the window has no pixels.
struct PatternPass {
    bool onePass = true;
    int across = 0;
    float height = 0.0f;
    int drawnWidth = 0;
    int drawnHeight = 0;
};

// For a pattern of `texelsAcross`, never wider than the window nor taller
// than the target allows.
PatternPass patternPassFor(int texelsAcross, int windowWidth, int windowHeight);
