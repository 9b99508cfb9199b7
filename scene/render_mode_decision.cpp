// The one-time render-mode decision and each frame's pattern size (see
// render_mode_decision.h).
#include "scene/render_mode_decision.h"

#include <algorithm>
#include <cmath>
#include <numeric>

float typicalFrameMs(std::vector<float> frameMs) {
    const std::size_t kept =
        frameMs.size() - std::min(frameMs.size(), static_cast<std::size_t>(kSlowestFramesLeftOut));
    if (kept == 0) {
        return 0.0f;
    }
    std::sort(frameMs.begin(), frameMs.end());
    const double sum = std::accumulate(frameMs.begin(), frameMs.begin() + kept, 0.0);
    return static_cast<float>(sum / static_cast<double>(kept));
}

bool decideRenderMode(RenderModeState& state, int measuredFrames, float typicalMs) {
    if (state.modeDecided != 0 || measuredFrames < kFramesBeforeDecision) {
        return false;
    }
    for (const ReducedSizeRule& rule : kReducedSizeRules) {
        if (typicalMs > rule.aboveMs) {
            state.currentRenderMode = kReducedResolution;
            state.reducedSize = rule.texelsAcross;
            break;
        }
    }
    state.modeDecided = 1;
    return true;
}

PatternPass patternPassFor(int texelsAcross, int windowWidth, int windowHeight) {
    PatternPass pass;
    if (windowWidth <= 0 || windowHeight <= 0 || texelsAcross <= 0) {
        return pass;
    }
    // The drawn rows, the pattern's height rounded up and one more, must fit the target.
    const long long tallest =
        static_cast<long long>(kNormalsTargetSize - 1) * windowWidth / windowHeight;
    pass.across = static_cast<int>(
        std::min<long long>({texelsAcross, windowWidth, tallest, kNormalsTargetSize - 1}));
    const double height = static_cast<double>(pass.across) * windowHeight / windowWidth;
    pass.height = static_cast<float>(height);
    pass.drawnWidth = pass.across + 1;
    pass.drawnHeight = static_cast<int>(std::ceil(height)) + 1;
    const double patternPixels = pass.across * height;
    const double windowPixels = static_cast<double>(windowWidth) * windowHeight;
    pass.onePass = pass.across <= 0 ||
                   patternPixels * kPatternShareDenominator > windowPixels * kPatternShareNumerator;
    return pass;
}
