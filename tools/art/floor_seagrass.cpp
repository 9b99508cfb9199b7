// Seagrass on sand: meadows of long ribbon blades laid over by the current,
// growing in shoots, with bare sand between the patches and drifted dead
// blades lying on it.
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "sand_bed.h"
#include "shells.h"

namespace {
const int kShoots = 2400;       // tried shoot positions; the meadow mask thins them
const float kCurrent = -0.35f;  // direction the blades lean, radians
const Rgb kBladeBase = rgb8(58, 92, 44);
const Rgb kBladeMid = rgb8(104, 146, 64);
const Rgb kBladeTip = rgb8(156, 150, 82);
const Rgb kDeadBlade = rgb8(136, 112, 70);
const int kDriftBlades = 70;
const int kShellCount = 10;

struct Blade {
    float x, y;   // root
    float angle;  // direction at the root
    float bend;   // change of direction from root to tip
    float sway;   // an S-curve along the blade
    float length, width;
    float base;  // height of the root's surface
    float lift;  // how high the blade stands over what it lies on
    bool dead;
    Rgb hue;  // each shoot's own shade of green
};

void drawBlade(const Blade& b, std::uint32_t id, Field& height, Image& albedo) {
    const int size = height.size;
    float x = b.x, y = b.y;
    const float halfWidth = 0.5f * b.width;
    const float stripes = 3.0f + (id % 3);
    // Stamps along the blade, closer together where it narrows to its tip.
    for (float travelled = 0.0f; travelled <= b.length;) {
        float t = travelled / b.length;
        float angle = b.angle + b.bend * t * t + b.sway * std::sin(4.7f * t);
        float dirX = std::cos(angle), dirY = std::sin(angle);
        // Ribbons narrow only near the tip.
        float w = halfWidth * (t < 0.85f ? 1.0f : std::sqrt((1.0f - t) / 0.15f)) *
                  (0.55f + 0.45f * smoothstep(0.0f, 0.06f, t));  // from a narrow sheath
        Rgb along = b.dead ? kDeadBlade
                           : (t < 0.5f ? mix(kBladeBase, kBladeMid, t * 2.0f)
                                       : mix(kBladeMid, kBladeTip, smoothstep(0.6f, 1.0f, t)));
        along = along + b.hue;
        float top = b.base + b.lift * (1.0f - 0.6f * t);
        forEachInDisc(size, x, y, w + 0.5f, [&](int px, int py, float dx, float dy) {
            float across = (dx * -dirY + dy * dirX) / std::max(w, 0.5f);
            if (std::fabs(across) > 1.0f) {
                return;
            }
            float h = top + 0.5f * (1.0f - across * across);
            float veins = 0.94f + 0.06f * std::cos(across * 3.14159f * stripes);
            Rgb c = along * veins;
            // Tiny epiphytes speckle the older outer part of a blade.
            std::uint32_t speck =
                hash32(static_cast<std::uint32_t>(px), static_cast<std::uint32_t>(py), id);
            if (t > 0.45f && (speck & 0xFF) < 10) {
                c = mix(c, rgb8(220, 214, 190), 0.6f);
            }
            raise(height, albedo, px, py, h, c);
        });
        float step = std::min(3.0f, std::max(0.7f, 0.5f * w));
        x += dirX * step;
        y += dirY * step;
        travelled += step;
    }
}

}  // namespace

Image paintSeagrass(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    SandBed bed;
    bed.light = rgb8(240, 224, 188);
    bed.dark = rgb8(214, 194, 156);
    bed.rippleCyclesX = 22;
    bed.rippleCyclesY = -9;
    bed.rippleHeight = 3.0f;
    bed.ladderHeight = 0.0f;
    paintSandBed(bed, seed, height, albedo);
    Field meadow =
        smoothField(size, 8, [&](float u, float v) { return fractalNoise(u, v, 3, 3, seed + 1); });

    Rng rng(seed);
    for (int i = 0; i < kDriftBlades; ++i) {
        Blade b{rng.rangef(0, size),
                rng.rangef(0, size),
                rng.rangef(0, 6.2831853f),
                rng.rangef(-1.2f, 1.2f),
                rng.rangef(-0.3f, 0.3f),
                rng.rangef(80, 240),
                rng.rangef(7, 11),
                0,
                0.5f,
                true,
                rgb(rng.rangef(-0.05f, 0.05f), 0, 0)};
        b.base = height.at(static_cast<int>(b.x), static_cast<int>(b.y));
        drawBlade(b, static_cast<std::uint32_t>(rng.next()), height, albedo);
    }
    for (int i = 0; i < kShellCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        drawShell(randomShellKind(rng), rng, x, y, rng.rangef(10, 20),
                  height.at(static_cast<int>(x), static_cast<int>(y)), height, albedo);
    }
    for (int i = 0; i < kShoots; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float density =
            smoothstep(-0.1f, 0.35f, meadow.at(static_cast<int>(x), static_cast<int>(y)));
        if (!rng.chance(density)) {
            continue;
        }
        int blades = 2 + rng.below(3);
        Rgb hue =
            rgb(rng.rangef(-0.05f, 0.08f), rng.rangef(-0.04f, 0.04f), rng.rangef(-0.03f, 0.02f));
        float lean = kCurrent + static_cast<float>(rng.normal()) * 0.22f;
        float ground = height.at(static_cast<int>(x), static_cast<int>(y));
        for (int j = 0; j < blades; ++j) {
            Blade b;
            b.x = x + rng.rangef(-3, 3);
            b.y = y + rng.rangef(-3, 3);
            b.angle = lean + rng.rangef(-0.16f, 0.16f);
            b.bend = rng.rangef(-0.45f, 0.45f);
            b.sway = rng.rangef(-0.2f, 0.2f);
            b.length = rng.rangef(200, 460);
            b.width = rng.rangef(10.0f, 14.0f);
            b.base = ground + 2.0f;
            b.lift = rng.rangef(2.0f, 9.0f);
            b.dead = rng.chance(0.06);
            b.hue = hue;
            drawBlade(b, static_cast<std::uint32_t>(rng.next()), height, albedo);
        }
    }

    Lighting light;
    light.relief = 0.8f;
    light.occlusion = 0.35f;
    light.occlusionRadius = 10;
    light.occlusionDepth = 6.0f;
    light.shadow = 0.55f;
    light.shadowReach = 24;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.92f, 1.0f, 1.0f);
    water.haze = rgb(0.0f, 0.03f, 0.04f);
    water.brightness = 0.44f;
    applyWater(picture, water);
    return picture;
}
