// River stones: large smooth, flattened stones worn by the current, some
// filmed with algae, lying on fine gravel, with a few fallen leaves.
#include <algorithm>
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "leaves.h"
#include "stone_palette.h"

namespace {
const float kSmallest = 34.0f, kLargest = 120.0f;  // stone half length, pixels
const int kCandidates = 5000;
const float kSpacing = 0.82f;
const int kGravelCells = 340;  // gravel grains across the picture
const int kLeafCount = 9;
const Rgb kAlgaeFilm = rgb8(128, 124, 76);
const Rgb kGravel[] = {rgb8(150, 140, 120), rgb8(120, 114, 104), rgb8(170, 160, 140),
                       rgb8(96, 92, 88),    rgb8(140, 120, 96),  rgb8(180, 176, 166)};
}  // namespace

Image paintRiverStones(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    Field swell = smoothField(
        size, 4, [&](float u, float v) { return 8.0f * fractalNoise(u, v, 3, 3, seed + 1); });
    forEachPixel(size, [&](int x, int y, float u, float v) {
        // Gravel: each cell a small rounded grain of its own colour.
        CellSample grain = cellNoise(u, v, kGravelCells, seed + 2, 0.8f);
        float bump = clamp01(1.0f - grain.nearest * grain.nearest * 2.2f);
        float gap = smoothstep(0.0f, 0.12f, grain.second - grain.nearest);
        height.at(x, y) = swell.at(x, y) + 2.5f * bump * gap;
        Rgb c = kGravel[grain.cellId % 6] * (0.85f + 0.3f * hashUnit(grain.cellId, 1, seed));
        c = c * (0.7f + 0.3f * gap);
        c = mix(c, rgb8(110, 100, 80), 0.25f + 0.2f * gradientNoise(u, v, 12, seed + 3));
        albedo.at(x, y) = c;
    });

    Rng rng(seed);
    std::vector<float> radii(kCandidates);
    for (float& r : radii) {
        r = kSmallest + (kLargest - kSmallest) * static_cast<float>(std::pow(rng.uniform(), 1.6));
    }
    std::sort(radii.begin(), radii.end(), [](float a, float b) { return a > b; });
    Scatter scatter(size, kLargest);
    // The current lays long stones roughly along its direction.
    const float flow = 0.5f;
    for (float r : radii) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        if (!scatter.tryPlace(x, y, r * 0.8f, kSpacing)) {
            continue;
        }
        StoneShape s;
        s.cx = x;
        s.cy = y;
        s.rx = r;
        s.ry = r * rng.rangef(0.5f, 0.85f);
        s.angle = flow + static_cast<float>(rng.normal()) * 0.5f;
        s.base = swell.at(static_cast<int>(x), static_cast<int>(y)) + rng.rangef(-3.0f, 1.0f);
        s.height = r * rng.rangef(0.28f, 0.42f);
        s.dome = rng.rangef(0.3f, 0.45f);
        randomLumps(rng, s, 1.3f);
        StoneSurface surface(rng, randomStoneLook(rng, true));
        const float algae = rng.chance(0.55) ? rng.rangef(0.2f, 0.6f) : 0.0f;
        const std::uint32_t film = static_cast<std::uint32_t>(rng.next());
        forEachStonePixel(size, s, [&](int px, int py, float h, float ex, float ey, float edge) {
            Rgb c = surface.colorAt(ex, ey, px, py, size);
            if (algae > 0) {
                float u = (px + 0.5f) / size, v = (py + 0.5f) / size;
                float patch =
                    gradientNoise(u, v, 64, film) + 0.5f * gradientNoise(u, v, 200, film + 1);
                c = mix(c, kAlgaeFilm,
                        algae * 0.7f * smoothstep(-0.4f, 0.6f, patch) * (1.0f - edge * edge));
            }
            raise(height, albedo, px, py, h, c);
        });
    }
    for (int i = 0; i < kLeafCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        drawLeaf(rng, x, y, rng.rangef(55, 95), height.at(static_cast<int>(x), static_cast<int>(y)),
                 height, albedo);
    }

    Lighting light;
    light.relief = 1.0f;
    light.occlusion = 0.5f;
    light.occlusionRadius = 24;
    light.occlusionDepth = 16.0f;
    light.shadow = 0.5f;
    light.shadowReach = 40;
    light.shadowSoftness = 3;
    light.gloss = 0.08f;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.97f, 1.0f, 0.95f);
    water.haze = rgb(0.02f, 0.04f, 0.03f);
    water.brightness = 0.42f;
    applyWater(picture, water);
    return picture;
}
