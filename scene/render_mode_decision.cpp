// The one-time render-mode decision (see render_mode_decision.h).
#include "scene/render_mode_decision.h"

int reducedSizeFor(int wanted, long long windowPixels) {
    int best = 0;
    for (const ReducedSizeRule& rule : kReducedSizeRules) {
        const long long side = rule.reducedSize;
        if (rule.reducedSize <= wanted && side * side < windowPixels && rule.reducedSize > best) {
            best = rule.reducedSize;
        }
    }
    return best;
}

int firstFrameReducedSize(long long windowPixels) {
    for (int side = kFirstFrameLargestSize; side >= kFirstFrameSmallestSize; side /= 2) {
        if (static_cast<long long>(side) * side * kFirstFramePixelShare <= windowPixels) {
            return side;
        }
    }
    return 0;
}

bool decideRenderMode(RenderModeState& state, int measuredFrames, float averageMs,
                      long long windowPixels) {
    if (state.modeDecided != 0 || measuredFrames < kFramesBeforeDecision) {
        return false;
    }
    for (const ReducedSizeRule& rule : kReducedSizeRules) {
        if (averageMs > rule.aboveMs) {
            const int size = reducedSizeFor(rule.reducedSize, windowPixels);
            if (size > 0) {
                state.currentRenderMode = kReducedResolution;
                state.reducedSize = size;
            }
            break;
        }
    }
    state.modeDecided = 1;
    return true;
}
