// Rock with shells: a shelf of pale limestone, cracked and pitted, crusted
// with pink coralline algae and a film of green, with shells and barnacles
// lodged on it.
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "shells.h"

namespace {
const Rgb kRockLight = rgb8(210, 196, 172);
const Rgb kRockDark = rgb8(164, 152, 134);
const Rgb kCoralline = rgb8(184, 136, 146);
const Rgb kAlgae = rgb8(130, 128, 80);
const int kCrackCells = 6;  // crack network cells across the picture
const int kPitCount = 900;
const int kShellCount = 46;
const int kChipCount = 500;
const int kBarnacleClusters = 40;
}  // namespace

namespace {

void drawBarnacle(float x, float y, float r, Field& height, Image& albedo) {
    float ground = height.at(static_cast<int>(x), static_cast<int>(y));
    forEachInDisc(height.size, x, y, r, [&](int px, int py, float dx, float dy) {
        float d = std::sqrt(dx * dx + dy * dy) / r;
        // A low cone with an opening at the top.
        float h = ground + r * 0.7f * (1.0f - d);
        Rgb c = rgb8(226, 220, 206) * (0.9f + 0.1f * std::cos(std::atan2(dy, dx) * 6.0f));
        if (d < 0.28f) {
            h = ground + r * 0.3f;
            c = rgb8(70, 66, 60);
        }
        raise(height, albedo, px, py, h, c);
    });
}

}  // namespace

Image paintRockWithShells(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    Field broad = smoothField(
        size, 4, [&](float u, float v) { return 26.0f * fractalNoise(u, v, 3, 3, seed + 1); });
    Field crust =
        smoothField(size, 4, [&](float u, float v) { return fractalNoise(u, v, 5, 4, seed + 2); });
    Field film =
        smoothField(size, 4, [&](float u, float v) { return fractalNoise(u, v, 4, 4, seed + 3); });
    Field ledges = smoothField(
        size, 2, [&](float u, float v) { return 22.0f * fractalNoise(u, v, 8, 4, seed + 11); });
    forEachPixel(size, [&](int x, int y, float u, float v) {
        float rough =
            3.0f * ridgedNoise(u, v, 48, 3, seed + 4) + 0.8f * gradientNoise(u, v, 512, seed + 5);
        // Cracks follow the edges of large warped cells; some fade out, and
        // their width changes along them.
        float wu = u + 0.025f * gradientNoise(u, v, 9, seed + 6) +
                   0.006f * gradientNoise(u, v, 40, seed + 12);
        float wv = v + 0.025f * gradientNoise(u, v, 9, seed + 7) +
                   0.006f * gradientNoise(u, v, 40, seed + 13);
        CellSample cell = cellNoise(wu, wv, kCrackCells, seed + 8);
        float gap = (cell.second - cell.nearest) * size / kCrackCells;  // pixels to the crack
        float along = gradientNoise(u, v, 14, seed + 14);
        float width = 0.6f + 2.2f * clamp01(0.5f + along);
        float crack = smoothstep(-0.25f, 0.2f, along) * smoothstep(width + 1.0f, width * 0.3f, gap);
        float crustMask = smoothstep(0.22f, 0.30f, crust.at(x, y));
        float knobs = crustMask * (1.6f + 1.2f * gradientNoise(u, v, 300, seed + 15));
        height.at(x, y) = broad.at(x, y) + ledges.at(x, y) + rough + knobs - 9.0f * crack;

        float tone = 0.5f + 0.5f * gradientNoise(u, v, 40, seed + 9);
        Rgb c = mix(kRockLight, kRockDark, tone);
        Rgb pink = kCoralline * (0.9f + 0.2f * gradientNoise(u, v, 200, seed + 16));
        // Crusts grow at a paler margin.
        float margin = crustMask * (1.0f - smoothstep(0.30f, 0.38f, crust.at(x, y)));
        pink = mix(pink, rgb8(236, 210, 214), margin * 0.7f);
        c = mix(c, pink, crustMask * 0.9f);
        c = mix(c, kAlgae, smoothstep(0.1f, 0.45f, film.at(x, y)) * 0.5f * (1.0f - crustMask));
        c = c * (0.93f + 0.14f * hashUnit(x, y, seed + 10));
        c = c * (1.0f - 0.45f * crack);
        albedo.at(x, y) = c;
    });

    Rng rng(seed);
    for (int i = 0; i < kPitCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size), r = rng.rangef(2.0f, 7.0f);
        forEachInDisc(size, x, y, r, [&](int px, int py, float dx, float dy) {
            float d2 = (dx * dx + dy * dy) / (r * r);
            height.at(px, py) -= r * 0.6f * (1.0f - d2);
            albedo.at(px, py) = albedo.at(px, py) * (0.75f + 0.25f * d2);
        });
    }
    for (int c = 0; c < kBarnacleClusters; ++c) {
        float cx = rng.rangef(0, size), cy = rng.rangef(0, size);
        int count = 4 + rng.below(14);
        for (int i = 0; i < count; ++i) {
            drawBarnacle(cx + static_cast<float>(rng.normal()) * 22,
                         cy + static_cast<float>(rng.normal()) * 22, rng.rangef(3.0f, 7.0f), height,
                         albedo);
        }
    }
    for (int i = 0; i < kChipCount; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float ground = height.at(static_cast<int>(x), static_cast<int>(y));
        drawShellChip(rng, x, y, rng.rangef(2.0f, 6.0f), ground + 0.5f, height, albedo);
    }
    Scatter spacing(size, 40);
    for (int placed = 0, tries = 0; placed < kShellCount && tries < 3000; ++tries) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        float r = rng.rangef(13, 30);
        if (!spacing.tryPlace(x, y, r, 2.0f)) {
            continue;
        }
        // The shell rests on the highest rock under it.
        float ground = -1e9f;
        forEachInDisc(size, x, y, r * 0.8f, [&](int px, int py, float, float) {
            ground = std::max(ground, height.at(px, py));
        });
        drawShell(randomShellKind(rng), rng, x, y, r, ground - r * 0.15f, height, albedo);
        ++placed;
    }

    Lighting light;
    light.relief = 1.8f;
    light.occlusion = 0.45f;
    light.occlusionRadius = 16;
    light.occlusionDepth = 10.0f;
    light.shadow = 0.5f;
    light.shadowReach = 30;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.94f, 0.99f, 1.0f);
    water.haze = rgb(0.0f, 0.03f, 0.04f);
    water.brightness = 0.44f;
    applyWater(picture, water);
    return picture;
}
