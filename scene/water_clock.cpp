// The caustics' time (see water_clock.h).
#include "scene/water_clock.h"

#include <cmath>

float waterShaderTime(double seconds) {
    const double withinLoop = seconds - kWaterLoopSeconds * std::floor(seconds / kWaterLoopSeconds);
    // Rounding may land on the loop's end, which the shader draws as its start.
    const float time = static_cast<float>(withinLoop);
    return time < static_cast<float>(kWaterLoopSeconds) ? time : 0.0f;
}
