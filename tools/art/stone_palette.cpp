// Stone colours and patterns (see stone_palette.h).
#include "stone_palette.h"

#include <cmath>

#include "noise.h"

namespace {

struct WeightedLook {
    float weight;
    StoneLook look;
};

// Beach pebbles: greys, browns and the odd bright one.
const WeightedLook kPebbleLooks[] = {
    {3.0f, {rgb8(150, 148, 142), rgb8(90, 88, 86), 0.10f, 0.10f, 0.15f}},    // grey granite
    {2.0f, {rgb8(92, 94, 98), rgb8(60, 62, 66), 0.0f, 0.10f, 0.35f}},        // dark basalt
    {2.0f, {rgb8(196, 168, 128), rgb8(160, 130, 96), 0.02f, 0.18f, 0.05f}},  // sandstone
    {1.2f, {rgb8(176, 120, 80), rgb8(130, 80, 50), 0.0f, 0.22f, 0.10f}},     // rusty ironstone
    {1.0f, {rgb8(232, 226, 214), rgb8(200, 190, 176), 0.0f, 0.10f, 0.0f}},   // white quartz
    {0.8f, {rgb8(160, 86, 72), rgb8(120, 60, 52), 0.0f, 0.20f, 0.3f}},       // red jasper
    {0.8f, {rgb8(110, 130, 112), rgb8(80, 96, 84), 0.0f, 0.25f, 0.2f}},      // green serpentine
    {1.5f, {rgb8(120, 128, 140), rgb8(96, 102, 112), 0.0f, 0.12f, 0.4f}},    // slate blue-grey
    {1.0f, {rgb8(210, 196, 170), rgb8(120, 100, 80), 0.06f, 0.12f, 0.05f}},  // speckled limestone
};

// River stones: smoothed, duller, cooler, often with a film of algae.
const WeightedLook kRiverLooks[] = {
    {3.0f, {rgb8(142, 140, 136), rgb8(108, 106, 104), 0.05f, 0.12f, 0.25f}},
    {2.0f, {rgb8(118, 120, 124), rgb8(90, 92, 96), 0.0f, 0.12f, 0.35f}},
    {2.0f, {rgb8(164, 150, 126), rgb8(128, 116, 96), 0.02f, 0.16f, 0.15f}},
    {1.5f, {rgb8(96, 100, 96), rgb8(70, 74, 72), 0.0f, 0.12f, 0.45f}},
    {1.0f, {rgb8(150, 120, 98), rgb8(116, 90, 74), 0.0f, 0.2f, 0.2f}},
    {1.0f, {rgb8(176, 172, 162), rgb8(110, 108, 104), 0.12f, 0.1f, 0.1f}},
};

template <std::size_t N>
StoneLook pickWeighted(Rng& rng, const WeightedLook (&table)[N]) {
    float total = 0;
    for (const WeightedLook& w : table) {
        total += w.weight;
    }
    float r = rng.rangef(0, total);
    for (const WeightedLook& w : table) {
        if (r < w.weight) {
            return w.look;
        }
        r -= w.weight;
    }
    return table[N - 1].look;
}

}  // namespace

StoneLook randomStoneLook(Rng& rng, bool riverWorn) {
    StoneLook look = riverWorn ? pickWeighted(rng, kRiverLooks) : pickWeighted(rng, kPebbleLooks);
    // No two stones of a kind are quite the same colour.
    float shift = rng.rangef(-0.07f, 0.07f);
    Rgb hue =
        rgb(rng.rangef(-0.02f, 0.02f), rng.rangef(-0.015f, 0.015f), rng.rangef(-0.02f, 0.01f));
    look.base = look.base * (1.0f + shift) + hue;
    look.second = look.second * (1.0f + shift) + hue;
    return look;
}

StoneSurface::StoneSurface(Rng& rng, const StoneLook& l) : look(l) {
    id = static_cast<std::uint32_t>(rng.next());
    veinAngle = rng.rangef(0, 3.14159f);
    veinOffset = rng.rangef(-0.6f, 0.6f);
    veinWidth = rng.chance(look.veinChance * 0.6f) ? rng.rangef(0.02f, 0.11f) : 0.0f;
    tint = rng.rangef(0.94f, 1.06f);
}

Rgb StoneSurface::colorAt(float ex, float ey, int x, int y, int pictureSize) const {
    float u = (x + 0.5f) / pictureSize, v = (y + 0.5f) / pictureSize;
    float mottle = gradientNoise(u, v, pictureSize / 24, id) +
                   0.5f * gradientNoise(u, v, pictureSize / 8, id + 1);
    Rgb c = mix(look.base, look.second, clamp01(0.5f + look.mottle * 2.0f * mottle)) * tint;
    std::uint32_t h = hash32(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), id);
    if (look.speckles > 0 && (h & 0xFFFF) < look.speckles * 65536.0f) {
        c = (h & 0x10000) ? c * 0.55f : mix(c, rgb(0.95f, 0.94f, 0.9f), 0.6f);
    } else {
        c = c * (0.97f + 0.06f * ((h >> 20) & 0xFF) / 255.0f);
    }
    if (veinWidth > 0) {
        float across =
            ex * std::cos(veinAngle) + ey * std::sin(veinAngle) - veinOffset + 0.05f * mottle;
        float vein = smoothstep(veinWidth, veinWidth * 0.4f, std::fabs(across));
        c = mix(c, rgb8(236, 232, 222), vein * 0.7f);
    }
    return c;
}
