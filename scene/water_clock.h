// The caustics' time as the water shader takes it. The water loops every
// kWaterLoopSeconds (the fragment shader's LOOP_SECONDS), so the run's time,
// kept in double precision, reaches the shader as its place within the
// current loop: a single-precision value below 4096, which still tells
// frames 1/60 s apart to within a millisecond after any uptime. The user's
// water speed scales how far the water's time moves in a run's second; the
// shader and the run's clock stay as they are.
#pragma once

#include <cstdint>

constexpr double kWaterLoopSeconds = 4096.0;

// The water's time for `seconds` of the run at `speedPercent` (100: the
// water's own speed), reduced into [0, kWaterLoopSeconds); a negative time
// counts back from the end of a loop.
float waterShaderTime(double seconds, std::uint32_t speedPercent = 100);
