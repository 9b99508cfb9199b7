// The shells (see shells.h).
#include "shells.h"

#include <cmath>

#include "floor_kit.h"

namespace {

const float kPi = 3.14159265f;

// Colours shells come in, paired: ground colour and pattern colour.
struct ShellColors {
    Rgb ground, pattern;
};
const ShellColors kCockleColors[] = {
    {rgb8(236, 226, 204), rgb8(196, 160, 120)},
    {rgb8(240, 214, 180), rgb8(200, 130, 90)},
    {rgb8(226, 222, 214), rgb8(160, 150, 150)},
    {rgb8(244, 230, 200), rgb8(214, 170, 110)},
};
const ShellColors kScallopColors[] = {
    {rgb8(236, 150, 90), rgb8(200, 90, 60)},    {rgb8(226, 120, 120), rgb8(170, 70, 90)},
    {rgb8(240, 200, 120), rgb8(210, 140, 70)},  {rgb8(190, 140, 170), rgb8(130, 80, 120)},
    {rgb8(244, 232, 214), rgb8(200, 150, 130)},
};
const ShellColors kCowrieColors[] = {
    {rgb8(226, 196, 150), rgb8(120, 80, 50)},
    {rgb8(236, 222, 196), rgb8(150, 110, 70)},
    {rgb8(210, 170, 120), rgb8(90, 60, 40)},
};

template <class T, std::size_t N>
const T& pick(Rng& rng, const T (&table)[N]) {
    return table[rng.below(static_cast<int>(N))];
}

// Cockles and scallops: a fan of ribs from the hinge, with growth rings.
void drawBivalve(bool scallop, Rng& rng, float x, float y, float radius, float ground,
                 Field& height, Image& albedo) {
    const ShellColors colors = scallop ? pick(rng, kScallopColors) : pick(rng, kCockleColors);
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = radius;
    s.ry = radius * (scallop ? 0.92f : 0.88f);
    s.angle = rng.rangef(0, 2 * kPi);
    s.base = ground;
    s.height = radius * 0.35f;
    s.dome = 0.6f;
    const int ribs = scallop ? 14 + rng.below(6) : 18 + rng.below(8);
    const float ringPhase = rng.rangef(0, 6.28f);
    const float sharp = rng.rangef(0.5f, 1.0f);
    forEachStonePixel(height.size, s, [&](int px, int py, float h, float ex, float ey, float) {
        // Seen from above, the hinge sits on one side: ribs fan out from it.
        float hx = ex, hy = ey + 0.95f;
        float theta = std::atan2(hx, hy);
        float fromHinge = std::sqrt(hx * hx + hy * hy);
        if (scallop && fromHinge < 0.42f && std::fabs(hx) > 0.05f) {
            // The scallop's two "ears" by the hinge.
            if (std::fabs(ey + 0.75f) > 0.2f) {
                return;
            }
        } else if (std::fabs(theta) > (scallop ? 1.15f : 1.35f) && fromHinge > 0.3f) {
            return;
        }
        float rib = std::cos(theta * ribs);
        float ring = std::sin(fromHinge * 26.0f + ringPhase);
        float surface = h + radius * 0.05f * rib * sharp;
        Rgb c = mix(colors.ground, colors.pattern, clamp01(0.35f + 0.35f * ring));
        c = c * (0.9f + 0.1f * rib);
        if (fromHinge < 0.35f) {
            c = mix(c, colors.pattern, 0.4f);  // the umbo is darker and worn
        }
        raise(height, albedo, px, py, surface, c);
    });
}

// Cowries: a glossy, spotted dome with a lighter rim.
void drawCowrie(Rng& rng, float x, float y, float radius, float ground, Field& height,
                Image& albedo) {
    const ShellColors colors = pick(rng, kCowrieColors);
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = radius;
    s.ry = radius * 0.66f;
    s.angle = rng.rangef(0, 2 * kPi);
    s.base = ground;
    s.height = radius * 0.55f;
    s.dome = 0.55f;
    const std::uint32_t spots = static_cast<std::uint32_t>(rng.next());
    forEachStonePixel(height.size, s, [&](int px, int py, float h, float ex, float ey, float edge) {
        float cell = 7.0f;
        float sx = ex * cell + 20, sy = ey * cell * 1.5f + 20;
        float fx = sx - std::floor(sx) - 0.5f, fy = sy - std::floor(sy) - 0.5f;
        std::uint32_t id =
            hash32(static_cast<std::uint32_t>(sx), static_cast<std::uint32_t>(sy), spots);
        float spotR = 0.18f + 0.2f * ((id & 255) / 255.0f);
        float spot = smoothstep(spotR, spotR - 0.12f, std::sqrt(fx * fx + fy * fy));
        Rgb c = mix(colors.ground, colors.pattern, spot * 0.8f * (1.0f - edge));
        c = mix(c, rgb8(240, 232, 220), smoothstep(0.75f, 0.95f, edge));  // the pale base
        raise(height, albedo, px, py, h, c);
    });
}

// Turban and top shells from above: a low cone with a spiral suture.
void drawTurban(Rng& rng, float x, float y, float radius, float ground, Field& height,
                Image& albedo) {
    Rgb a = rng.chance(0.5) ? rgb8(150, 120, 100) : rgb8(190, 150, 120);
    Rgb b = rgb8(235, 220, 200);
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = radius;
    s.ry = radius * 0.95f;
    s.angle = rng.rangef(0, 2 * kPi);
    s.base = ground;
    s.height = radius * 0.8f;
    s.dome = 1.0f;
    const float turns = rng.rangef(3.0f, 4.5f);
    const float stripes = static_cast<float>(8 + rng.below(10));
    forEachStonePixel(height.size, s, [&](int px, int py, float h, float ex, float ey, float edge) {
        float theta = std::atan2(ey, ex);
        float r = edge;
        // The suture: a spiral line closing in on the apex.
        float spiral = std::sin((r * turns - theta / (2 * kPi)) * 2 * kPi);
        float surface = h * (1.0f - 0.35f * r) + radius * 0.06f * spiral;
        float flame = 0.5f + 0.5f * std::sin(theta * stripes + r * 9.0f);
        Rgb c = mix(b, a, flame * 0.8f);
        if (spiral > 0.85f) {
            c = c * 0.75f;
        }
        if (r < 0.12f) {
            c = mix(c, rgb8(200, 170, 190), 0.6f);  // worn pearly apex
        }
        raise(height, albedo, px, py, surface, c);
    });
}

// Mussels: a long, dark blue-black valve with fine growth lines.
void drawMussel(Rng& rng, float x, float y, float radius, float ground, Field& height,
                Image& albedo) {
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = radius;
    s.ry = radius * 0.48f;
    s.angle = rng.rangef(0, 2 * kPi);
    s.base = ground;
    s.height = radius * 0.3f;
    s.dome = 0.5f;
    forEachStonePixel(height.size, s, [&](int px, int py, float h, float ex, float ey, float edge) {
        // Narrow at one end: a teardrop.
        float narrow = 0.55f + 0.45f * (ex + 1.0f) * 0.5f;
        if (std::fabs(ey) > narrow * std::sqrt(std::max(0.0f, 1.0f - ex * ex)) * 1.02f) {
            return;
        }
        float lines = std::sin(std::sqrt((ex + 1.0f) * (ex + 1.0f) + ey * ey) * 40.0f);
        Rgb c = mix(rgb8(40, 44, 70), rgb8(80, 70, 110), 0.5f + 0.25f * lines);
        c = mix(c, rgb8(120, 150, 170), smoothstep(0.7f, 1.0f, edge) * 0.5f);
        raise(height, albedo, px, py, h, c);
    });
}

}  // namespace

ShellKind randomShellKind(Rng& rng) {
    double p = rng.uniform();
    if (p < 0.34)
        return ShellKind::Cockle;
    if (p < 0.56)
        return ShellKind::Scallop;
    if (p < 0.70)
        return ShellKind::Cowrie;
    if (p < 0.85)
        return ShellKind::Turban;
    return ShellKind::Mussel;
}

void drawShell(ShellKind kind, Rng& rng, float x, float y, float radius, float ground,
               Field& height, Image& albedo) {
    switch (kind) {
        case ShellKind::Cockle:
            drawBivalve(false, rng, x, y, radius, ground, height, albedo);
            break;
        case ShellKind::Scallop:
            drawBivalve(true, rng, x, y, radius, ground, height, albedo);
            break;
        case ShellKind::Cowrie:
            drawCowrie(rng, x, y, radius * 0.85f, ground, height, albedo);
            break;
        case ShellKind::Turban:
            drawTurban(rng, x, y, radius * 0.75f, ground, height, albedo);
            break;
        case ShellKind::Mussel:
            drawMussel(rng, x, y, radius * 1.2f, ground, height, albedo);
            break;
    }
}

void drawShellChip(Rng& rng, float x, float y, float radius, float ground, Field& height,
                   Image& albedo) {
    static const Rgb kChipColors[] = {rgb8(246, 240, 228), rgb8(236, 220, 196), rgb8(226, 200, 190),
                                      rgb8(150, 146, 160), rgb8(240, 200, 160)};
    Rgb color = pick(rng, kChipColors);
    StoneShape s;
    s.cx = x;
    s.cy = y;
    s.rx = radius;
    s.ry = radius * rng.rangef(0.4f, 0.9f);
    s.angle = rng.rangef(0, 2 * kPi);
    s.base = ground;
    s.height = std::max(1.0f, radius * 0.3f);
    s.dome = 0.3f;
    randomLumps(rng, s, 2.5f);
    const float ribs = rng.rangef(0, 1) < 0.5f ? 0.0f : rng.rangef(1.5f, 3.0f);
    forEachStonePixel(height.size, s, [&](int px, int py, float h, float ex, float, float) {
        float rib = ribs > 0 ? std::cos(ex * ribs * kPi) : 0.0f;
        raise(height, albedo, px, py, h + rib * 0.4f, color * (0.92f + 0.08f * rib));
    });
}
