// The caustics' time as the water shader takes it. The water loops every
// kWaterLoopSeconds (the fragment shader's LOOP_SECONDS), so the run's time,
// kept in double precision, reaches the shader as its place within the
// current loop: a single-precision value below 4096, which still tells
// frames 1/60 s apart to within a millisecond after any uptime.
#pragma once

constexpr double kWaterLoopSeconds = 4096.0;

// seconds reduced into [0, kWaterLoopSeconds); a negative time counts back
// from the end of a loop.
float waterShaderTime(double seconds);
