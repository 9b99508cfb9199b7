// The one-time render-mode decision (see render_mode_decision.h).
#include "scene/render_mode_decision.h"

bool decideRenderMode(RenderModeState& state, int measuredFrames, float averageMs) {
    if (state.modeDecided != 0 || measuredFrames < kFramesBeforeDecision) {
        return false;
    }
    for (const ReducedSizeRule& rule : kReducedSizeRules) {
        if (averageMs > rule.aboveMs) {
            state.currentRenderMode = kReducedResolution;
            state.reducedSize = rule.reducedSize;
            break;
        }
    }
    state.modeDecided = 1;
    return true;
}
