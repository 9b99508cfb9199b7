// The caustics' time (see water_clock.h).
#include "scene/water_clock.h"

#include <cmath>

float waterShaderTime(double seconds, std::uint32_t speedPercent) {
    // In double precision the product stays within a nanosecond of the exact
    // water time for years of uptime, before the loop takes it in.
    const double water = seconds * static_cast<double>(speedPercent) / 100.0;
    const double withinLoop = water - kWaterLoopSeconds * std::floor(water / kWaterLoopSeconds);
    // Rounding may land on the loop's end, which the shader draws as its start.
    const float time = static_cast<float>(withinLoop);
    return time < static_cast<float>(kWaterLoopSeconds) ? time : 0.0f;
}
