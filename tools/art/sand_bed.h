// A bed of sand: the ground of the rippled-sand floor and what lies under the
// seagrass and the coral rubble. Ripples run across the picture with wandering
// crests that fork and fade; grains and specks give it texture up close.
#pragma once
#include <cstdint>

#include "canvas.h"

struct SandBed {
    Rgb light = rgb8(240, 220, 182);  // clean sand
    Rgb dark = rgb8(208, 184, 148);   // sand with more dark minerals
    int rippleCyclesX = 4;            // ripple wave vector, whole cycles across the picture
    int rippleCyclesY = 28;
    float rippleHeight = 9.0f;      // pixels, crest over trough
    float ladderHeight = 0.7f;      // small cross ripples in the troughs, pixels
    float rippleWander = 1.6f;      // how far crests wander, in ripple lengths
    float troughDarkening = 0.10f;  // dark grains settle in the troughs
    float grain = 0.07f;            // grain-to-grain brightness variation
    float swellHeight = 14.0f;      // broad undulation of the bed, pixels
    float coarse = 0.0f;            // 0 fine sand .. 1 coarse shell grit
};

// Fills height (pixels) and albedo with the sand bed.
void paintSandBed(const SandBed& bed, std::uint32_t seed, Field& height, Image& albedo);
