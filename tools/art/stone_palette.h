// Kinds of rock that pebbles and river stones are made of: their colours and
// the surface patterns that tell them apart (speckles, veins, mottling).
#pragma once
#include <cstdint>

#include "color.h"
#include "rng.h"

struct StoneLook {
    Rgb base;
    Rgb second;        // mottling or speckle colour
    float speckles;    // share of pixels that are speckles (granite)
    float mottle;      // strength of broad mottling
    float veinChance;  // chance that a stone has a quartz vein
};

// A random stone look; `riverWorn` picks the duller, cooler colours of river stones.
StoneLook randomStoneLook(Rng& rng, bool riverWorn);

// The stone's colour at a point: (ex, ey) in the stone's unit frame, (x, y)
// the wrapped pixel, `id` the stone's own number.
struct StoneSurface {
    StoneLook look;
    std::uint32_t id;
    float veinAngle, veinOffset, veinWidth;  // veinWidth 0: no vein
    float tint;                              // small per-stone brightness change

    StoneSurface(Rng& rng, const StoneLook& look);
    Rgb colorAt(float ex, float ey, int x, int y, int pictureSize) const;
};
