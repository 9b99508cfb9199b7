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

// Once `measuredFrames` reaches 100, sets the mode and S from `averageMs` and
// marks the choice as made; later calls change nothing. True when this call
// made the choice.
bool decideRenderMode(RenderModeState& state, int measuredFrames, float averageMs);
