// How the water is drawn: at full resolution in one pass, or with the costly
// pattern computed into an S x S region of the off-screen texture and read
// back by a cheap full-window pass. Chosen once, from the average time of the
// first 100 measured frames, and never revisited.
#pragma once

// Render modes of the scene (the shader's own mode 0 is the first pass of the reduced way).
constexpr int kFullResolution = 1;
constexpr int kReducedResolution = 2;

// The side of the off-screen texture, and S until the decision says otherwise.
constexpr int kNormalsTargetSize = 1024;

// The very first frame is drawn the reduced way at S = 256, or smaller where
// the window is small: its pattern costs at most a sixteenth of a
// full-resolution frame's, so the water is on the screen at once even where
// full-resolution frames are slow. Below 32 x 32 it is not worth a pass.
constexpr int kFirstFrameLargestSize = 256;
constexpr int kFirstFrameSmallestSize = 32;
constexpr int kFirstFramePixelShare = 16;

// Frames measured before the decision.
constexpr int kFramesBeforeDecision = 100;

// An average frame time above `aboveMs` computes the pattern at `reducedSize`;
// the first row that matches wins. At or below the last threshold the scene
// stays at full resolution.
struct ReducedSizeRule {
    double aboveMs;
    int reducedSize;
};
constexpr ReducedSizeRule kReducedSizeRules[] = {
    {100.0, 256},
    {50.0, 512},
    {25.0, 1024},
};

struct RenderModeState {
    int currentRenderMode = kFullResolution;
    int reducedSize = kNormalsTargetSize;
    int modeDecided = 0;
};

// The largest S of the rules whose S x S pattern has fewer pixels than a
// window of `windowPixels`, at most `wanted`; 0 when even the smallest has
// not (the pattern would then cost more than drawing the window itself).
int reducedSizeFor(int wanted, long long windowPixels);

// S for the first frame of a window of `windowPixels`; 0 to draw it at full
// resolution.
int firstFrameReducedSize(long long windowPixels);

// Once `measuredFrames` reaches 100, sets the mode and S from `averageMs` and
// the window's size, and marks the choice as made; later calls change
// nothing. The reduced way is taken only where it computes the pattern for
// fewer pixels than the window has. True when this call made the choice.
bool decideRenderMode(RenderModeState& state, int measuredFrames, float averageMs,
                      long long windowPixels);
