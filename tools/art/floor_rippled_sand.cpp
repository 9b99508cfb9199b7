// Rippled sand: wave ripples with wandering, forking crests, fine grain,
// scattered shell grit and a few whole shells.
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "sand_bed.h"
#include "shells.h"

namespace {
const int kChipCount = 500;   // shell grit over the whole picture
const int kFlakeCount = 260;  // dark bits of weed that collect in troughs
const int kShellCount = 22;   // whole shells
}  // namespace

Image paintRippledSand(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    SandBed bed;
    paintSandBed(bed, seed, height, albedo);

    Rng rng(seed);
    for (int i = 0; i < kFlakeCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float r = rng.rangef(1.2f, 3.5f);
        Rgb color = mix(rgb8(130, 105, 70), rgb8(150, 140, 90), rng.rangef(0, 1));
        float ground = height.at(static_cast<int>(x), static_cast<int>(y));
        forEachInDisc(size, x, y, r, [&](int px, int py, float, float) {
            float& h = height.at(px, py);
            h = std::max(h, ground + 0.3f);
            albedo.at(px, py) = mix(albedo.at(px, py), color, 0.5f);
        });
    }
    for (int i = 0; i < kChipCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float ground = height.at(static_cast<int>(x), static_cast<int>(y));
        drawShellChip(rng, x, y, rng.rangef(1.5f, 5.5f), ground, height, albedo);
    }
    Scatter spacing(size, 30);
    for (int placed = 0, tries = 0; placed < kShellCount && tries < 1000; ++tries) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float r = rng.rangef(11, 24);
        if (!spacing.tryPlace(x, y, r, 6.0f)) {
            continue;
        }
        float ground = height.at(static_cast<int>(x), static_cast<int>(y)) + 1.0f;
        drawShell(randomShellKind(rng), rng, x, y, r, ground, height, albedo);
        ++placed;
    }

    Lighting light;
    light.relief = 1.8f;
    light.occlusion = 0.25f;
    light.occlusionRadius = 12;
    light.occlusionDepth = 5.0f;
    light.shadow = 0.35f;
    light.shadowReach = 24;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.95f, 0.99f, 1.0f);
    water.haze = rgb(0.0f, 0.02f, 0.03f);
    water.brightness = 0.50f;
    applyWater(picture, water);
    return picture;
}
