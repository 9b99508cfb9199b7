// Pebbles: a beach of rounded pebbles of many rocks, packed close, with
// coarse grit showing in the gaps.
#include <algorithm>
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "sand_bed.h"
#include "stone_palette.h"

namespace {
const float kSmallest = 9.0f, kLargest = 38.0f;  // pebble radius, pixels
const int kCandidates = 60000;
const float kSpacing = 0.76f;  // below 1: neighbours may touch and overlap a little
}  // namespace

Image paintPebbles(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    SandBed grit;
    grit.light = rgb8(176, 160, 136);
    grit.dark = rgb8(120, 108, 92);
    grit.rippleHeight = 0.0f;
    grit.ladderHeight = 0.0f;
    grit.swellHeight = 6.0f;
    grit.coarse = 1.0f;
    grit.grain = 0.25f;
    paintSandBed(grit, seed, height, albedo);

    Rng rng(seed);
    // Big pebbles first, so the small ones fill the gaps between them.
    std::vector<float> radii(kCandidates);
    for (float& r : radii) {
        r = kSmallest + (kLargest - kSmallest) * static_cast<float>(std::pow(rng.uniform(), 2.2));
    }
    std::sort(radii.begin(), radii.end(), [](float a, float b) { return a > b; });
    Scatter scatter(size, kLargest);
    for (float r : radii) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        if (!scatter.tryPlace(x, y, r, kSpacing)) {
            continue;
        }
        StoneShape s;
        s.cx = x;
        s.cy = y;
        s.rx = r;
        s.ry = r * rng.rangef(0.62f, 0.95f);
        s.angle = rng.rangef(0, 6.2831853f);
        s.base = rng.rangef(-2.0f, 2.0f);
        s.height = r * rng.rangef(0.45f, 0.7f);
        s.dome = rng.rangef(0.35f, 0.7f);
        randomLumps(rng, s, 1.0f);
        StoneSurface surface(rng, randomStoneLook(rng, false));
        forEachStonePixel(size, s, [&](int px, int py, float h, float ex, float ey, float edge) {
            Rgb c = surface.colorAt(ex, ey, px, py, size);
            c = c * (1.0f - 0.12f * smoothstep(0.75f, 1.0f, edge));  // wet, darker rim
            raise(height, albedo, px, py, h, c);
        });
    }

    Lighting light;
    light.relief = 1.1f;
    light.occlusion = 0.55f;
    light.occlusionRadius = 14;
    light.occlusionDepth = 10.0f;
    light.shadow = 0.5f;
    light.shadowReach = 30;
    light.gloss = 0.12f;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.95f, 1.0f, 1.0f);
    water.brightness = 0.42f;
    applyWater(picture, water);
    return picture;
}
