// Coral rubble: broken branches of staghorn-like coral, pale and porous,
// some crusted pink or filmed brown, with worn lumps of brain coral, on
// white shell grit.
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "sand_bed.h"
#include "shells.h"

namespace {
const int kBranchPieces = 2300;
const int kLumps = 46;
const int kChips = 900;
const int kShells = 12;
const Rgb kCoralColors[] = {rgb8(246, 238, 218), rgb8(240, 228, 200), rgb8(242, 222, 206),
                            rgb8(228, 220, 200), rgb8(214, 204, 182), rgb8(236, 220, 184)};
const Rgb kPinkCrust = rgb8(204, 154, 160);
const Rgb kBrownFilm = rgb8(150, 136, 96);

// Colour of coral at a pixel: the base colour with pores and crusts.
Rgb coralSurface(Rgb base, float crust, float film, int x, int y, std::uint32_t id, int size) {
    // Polyp pores: small dark pits on a coarse grid, offset per row.
    int gx = (x + ((y / 3) & 1) * 2) / 4, gy = y / 3;
    std::uint32_t h = hash32(static_cast<std::uint32_t>(gx), static_cast<std::uint32_t>(gy), id);
    bool pore = ((x + ((y / 3) & 1) * 2) & 3) == 1 && (y % 3) == 1 && (h & 3) != 0;
    Rgb c = pore ? base * 0.72f : base * (0.96f + 0.08f * ((h >> 8) & 0xFF) / 255.0f);
    if (crust > 0 || film > 0) {
        float u = (x + 0.5f) / size, v = (y + 0.5f) / size;
        float n = gradientNoise(u, v, 128, id) + 0.5f * gradientNoise(u, v, 400, id + 1);
        c = mix(c, kPinkCrust, crust * smoothstep(-0.1f, 0.3f, n));
        c = mix(c, kBrownFilm, film * smoothstep(-0.3f, 0.4f, -n));
    }
    return c;
}

// Corallites: small knobs standing out of a branch's surface, on a jittered grid.
float corallite(int x, int y, std::uint32_t id) {
    const int cell = 6;
    int gx = x / cell, gy = y / cell;
    std::uint32_t h = hash32(static_cast<std::uint32_t>(gx), static_cast<std::uint32_t>(gy), id);
    if ((h & 3) == 0) {
        return 0.0f;
    }
    float cx = gx * cell + 1.5f + 3.0f * ((h >> 4) & 0xFF) / 255.0f;
    float cy = gy * cell + 1.5f + 3.0f * ((h >> 12) & 0xFF) / 255.0f;
    float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
    return smoothstep(2.4f, 0.6f, d);
}

void drawBranchPiece(Rng& rng, float x, float y, float ground, Field& height, Image& albedo) {
    const int size = height.size;
    const Rgb base = kCoralColors[rng.below(6)] * rng.rangef(0.92f, 1.04f);
    const float crust = rng.chance(0.2) ? rng.rangef(0.4f, 0.8f) : 0.0f;
    const float film = rng.chance(0.25) ? rng.rangef(0.3f, 0.7f) : 0.0f;
    const std::uint32_t id = static_cast<std::uint32_t>(rng.next());
    const float lift = rng.rangef(0.0f, 8.0f);
    auto rod = [&](float ax, float ay, float bx, float by, float ra, float rb) {
        forEachRodPixel(size, ax, ay, bx, by, ra, rb, ground + lift,
                        [&](int px, int py, float h, float across, float) {
                            float knob = corallite(px, py, id) * (1.0f - across * across);
                            Rgb c = coralSurface(base, crust, film, px, py, id, size);
                            raise(height, albedo, px, py, h + 1.6f * knob,
                                  c * (1.0f + 0.06f * knob));
                        });
    };
    // A piece is a crooked branch of a few segments; a broken end stays thick,
    // a growing tip tapers.
    float angle = rng.rangef(0, 6.2831853f);
    float radius = rng.rangef(3.5f, 8.0f);
    int segments = 1 + rng.below(3);
    float px = x, py = y;
    for (int s = 0; s < segments; ++s) {
        float length = rng.rangef(14, 48);
        float nx = px + std::cos(angle) * length, ny = py + std::sin(angle) * length;
        float next = radius * rng.rangef(0.75f, 0.98f);
        rod(px, py, nx, ny, radius, next);
        if (rng.chance(0.45)) {
            float a = angle + (rng.chance(0.5) ? 1.0f : -1.0f) * rng.rangef(0.5f, 1.1f);
            float l = rng.rangef(10, 34);
            rod(nx, ny, nx + std::cos(a) * l, ny + std::sin(a) * l, next * 0.8f, next * 0.55f);
        }
        px = nx;
        py = ny;
        radius = next;
        angle += rng.rangef(-0.5f, 0.5f);
    }
}

void drawBrainLump(Rng& rng, float x, float y, float ground, Field& height, Image& albedo) {
    const int size = height.size;
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = rng.rangef(22, 60);
    s.ry = s.rx * rng.rangef(0.6f, 0.95f);
    s.angle = rng.rangef(0, 6.2831853f);
    s.base = ground;
    s.height = s.rx * rng.rangef(0.4f, 0.6f);
    s.dome = 0.5f;
    randomLumps(rng, s, 2.0f);
    const std::uint32_t id = static_cast<std::uint32_t>(rng.next());
    const Rgb base = mix(rgb8(232, 220, 186), rgb8(214, 200, 166), rng.rangef(0, 1));
    forEachStonePixel(size, s, [&](int px, int py, float h, float, float, float edge) {
        float u = (px + 0.5f) / size, v = (py + 0.5f) / size;
        // Meandering valleys: fine stripes bent far out of line by noise.
        float warp = 5.0f * gradientNoise(u, v, 64, id) + 2.5f * gradientNoise(u, v, 160, id + 1);
        float ridge = std::sin(6.2831853f * (u * size / 8.0f + warp));
        float groove = smoothstep(0.2f, 0.8f, ridge);
        Rgb c = mix(base, rgb8(150, 130, 90), 0.55f * groove);
        c = mix(c, kBrownFilm, 0.25f * edge);
        raise(height, albedo, px, py, h - 1.5f * groove, c);
    });
}

}  // namespace

Image paintCoralRubble(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    SandBed grit;
    grit.light = rgb8(222, 206, 178);
    grit.dark = rgb8(196, 178, 150);
    grit.rippleCyclesX = -6;
    grit.rippleCyclesY = 24;
    grit.rippleHeight = 4.0f;
    grit.ladderHeight = 0.0f;
    grit.coarse = 1.0f;
    grit.grain = 0.16f;
    paintSandBed(grit, seed, height, albedo);

    Rng rng(seed);
    for (int i = 0; i < kChips; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        drawShellChip(rng, x, y, rng.rangef(2.0f, 6.0f),
                      height.at(static_cast<int>(x), static_cast<int>(y)), height, albedo);
    }
    Scatter lumpSpacing(size, 60);
    for (int placed = 0, tries = 0; placed < kLumps && tries < 2000; ++tries) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        if (!lumpSpacing.tryPlace(x, y, 60, 1.0f)) {
            continue;
        }
        drawBrainLump(rng, x, y, height.at(static_cast<int>(x), static_cast<int>(y)) - 4, height,
                      albedo);
        ++placed;
    }
    for (int i = 0; i < kShells; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        drawShell(randomShellKind(rng), rng, x, y, rng.rangef(11, 20),
                  height.at(static_cast<int>(x), static_cast<int>(y)), height, albedo);
    }
    for (int i = 0; i < kBranchPieces; ++i) {
        float x = rng.rangef(0, size), y = rng.rangef(0, size);
        drawBranchPiece(rng, x, y, height.at(static_cast<int>(x), static_cast<int>(y)) - 2, height,
                        albedo);
    }

    Lighting light;
    light.relief = 0.9f;
    light.occlusion = 0.45f;
    light.occlusionRadius = 12;
    light.occlusionDepth = 10.0f;
    light.shadow = 0.5f;
    light.shadowReach = 30;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.97f, 1.0f, 1.0f);
    water.haze = rgb(0.0f, 0.03f, 0.05f);
    water.brightness = 0.52f;
    applyWater(picture, water);
    return picture;
}
