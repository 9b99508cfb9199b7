// Noise that tiles: every function here repeats exactly over the unit square,
// so a picture built from it wraps without a seam. Coordinates u, v are in
// picture units (0..1 across the whole picture); periods count lattice cells
// across the picture.
#pragma once
#include <cstdint>

std::uint32_t hash32(std::uint32_t a, std::uint32_t b, std::uint32_t seed);
// Uniform in [0, 1) from three integers.
float hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t seed);

// Gradient noise in about [-1, 1], repeating every `period` cells.
float gradientNoise(float u, float v, int period, std::uint32_t seed);

// Sum of `octaves` layers of gradient noise, each twice as fine and `gain`
// times as strong as the one before; scaled to about [-1, 1].
float fractalNoise(float u, float v, int period, int octaves, std::uint32_t seed,
                   float gain = 0.5f);

// The same with each layer folded (1 - |n|): sharp ridges, for rock and cracks.
float ridgedNoise(float u, float v, int period, int octaves, std::uint32_t seed);

// Cellular noise: one jittered point per cell of a period x period grid.
struct CellSample {
    float nearest;         // distance to the nearest point, in cells
    float second;          // distance to the second nearest point, in cells
    std::uint32_t cellId;  // id of the nearest point's cell
};
CellSample cellNoise(float u, float v, int period, std::uint32_t seed, float jitter = 1.0f);
