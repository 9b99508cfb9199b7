// Draws the emblem (see emblem.h) by supersampling a function of the plane.
#include "emblem.h"

#include <cmath>

#include "color.h"
#include "noise.h"

namespace {

// The look of the emblem, in emblem units (the disc of the rim has radius 0.92).
const float kRimRadius = 0.92f;
const float kWaterRadius = 0.79f;
const Rgb kRimDark = rgb8(14, 74, 96);
const Rgb kRimLight = rgb8(92, 170, 178);
const Rgb kWaterDeep = rgb8(8, 96, 128);
const Rgb kWaterShallow = rgb8(96, 204, 206);
const Rgb kSand = rgb8(226, 205, 150);
const Rgb kCaustic = rgb8(255, 248, 205);
const Rgb kGlint = rgb8(255, 252, 230);
const float kCausticCells = 2.6f;       // cells across the emblem's radius
const float kSmallCausticCells = 1.7f;  // fewer, for icons too small for a fine net
const int kSmallIcon = 24;
const float kGlintX = 0.52f, kGlintY = -0.50f, kGlintArm = 0.44f;
const Rgb kAboutGreen = rgb8(177, 232, 179);  // the About window's background
const int kSupersample = 4;

struct Rgba {
    Rgb c;
    float a = 0;
};

// Paints `top` over `bottom`, both with straight alpha.
Rgba over(Rgba bottom, Rgba top) {
    float a = top.a + bottom.a * (1.0f - top.a);
    if (a < 1e-5f) {
        return Rgba{};
    }
    Rgb c = (top.c * top.a + bottom.c * (bottom.a * (1.0f - top.a))) * (1.0f / a);
    return Rgba{c, a};
}

// Distance to the nearest cell edge of a jittered grid: small on the caustic lines.
float cellEdgeDistance(float x, float y) {
    float best = 9.0f, second = 9.0f;
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int cx = ix + dx, cy = iy + dy;
            std::uint32_t h = hash32(static_cast<std::uint32_t>(cx + 1000),
                                     static_cast<std::uint32_t>(cy + 1000), 77);
            float px = cx + 0.15f + 0.7f * (h & 0xFFFF) / 65536.0f;
            float py = cy + 0.15f + 0.7f * (h >> 16) / 65536.0f;
            float d = std::hypot(px - x, py - y);
            if (d < best) {
                second = best;
                best = d;
            } else if (d < second) {
                second = d;
            }
        }
    }
    return second - best;
}

// The sun's four-pointed glint: brightness 0..1 around (kGlintX, kGlintY).
float glint(float x, float y, float pixel) {
    float dx = x - kGlintX, dy = y - kGlintY;
    // On the smallest icons the glint grows, or it would vanish.
    const float reach = std::max(kGlintArm, 5.0f * pixel);
    auto arm = [&](float along, float across) {
        float t = clamp01(1.0f - std::fabs(along) / reach);
        float halfWidth = std::max(0.06f * t * t, 0.6f * pixel * t);
        return t *
               smoothstep(halfWidth + pixel * 0.5f, halfWidth - pixel * 0.5f, std::fabs(across));
    };
    float star = std::max(arm(dx, dy), arm(dy, dx));
    float r2 = dx * dx + dy * dy;
    float core = std::exp(-r2 / 0.006f);
    float halo = 0.45f * std::exp(-r2 / 0.035f);
    return clamp01(star + core + halo);
}

// A smooth pebble under the water: an ellipse with a lit top.
float pebble(float x, float y, float cx, float cy, float rx, float ry, float pixel, float* lit) {
    float ex = (x - cx) / rx, ey = (y - cy) / ry;
    float d = std::sqrt(ex * ex + ey * ey);
    *lit = clamp01(0.75f - 0.6f * (ex * 0.6f + ey * 0.8f));
    return smoothstep(1.0f + pixel / rx, 1.0f - pixel / rx, d);
}

// The emblem at one point; `pixel` is one output pixel in emblem units and
// `detailed` adds the floor's pebbles, which only read at larger sizes.
Rgba emblemAt(float x, float y, float pixel, bool detailed) {
    const bool small = pixel > 2.0f / (kSmallIcon + 1);
    float r = std::sqrt(x * x + y * y);
    Rgba out;
    // A soft shadow below the disc lifts it off whatever is behind.
    float shadowR = std::sqrt(x * x + (y - 0.05f) * (y - 0.05f));
    out.a = 0.28f * smoothstep(kRimRadius + 0.08f, kRimRadius - 0.04f, shadowR);
    out.c = rgb(0.0f, 0.08f, 0.1f);

    // The rim: lit on its upper left, in shade on its lower right.
    float rimLight = clamp01(0.5f - 0.6f * (x * 0.6f + y * 0.8f) / std::max(r, 0.01f));
    Rgb rim = mix(kRimDark, kRimLight, rimLight * rimLight);
    float rimEdge = smoothstep(kRimRadius + pixel * 0.5f, kRimRadius - pixel * 0.5f, r);
    out = over(out, Rgba{rim, rimEdge});

    // The water: sand far below, tinted deeper towards the lower right.
    float depth = clamp01(0.45f + 0.45f * (x * 0.55f + y * 0.75f));
    Rgb water = mix(mix(kWaterShallow, kSand, 0.25f), kWaterDeep, depth);
    if (detailed) {
        float lit;
        float p1 = pebble(x, y, -0.28f, 0.38f, 0.17f, 0.12f, pixel, &lit);
        water = mix(water, mix(rgb8(60, 110, 118), rgb8(150, 190, 180), lit), p1 * 0.8f);
        float p2 = pebble(x, y, 0.10f, 0.50f, 0.11f, 0.08f, pixel, &lit);
        water = mix(water, mix(rgb8(50, 96, 110), rgb8(140, 176, 170), lit), p2 * 0.8f);
    }
    // Caustic lines bend and swell as light through a moving surface does.
    const float cells = small ? kSmallCausticCells : kCausticCells;
    float wx = x + 0.07f * std::sin(5.1f * y + 1.3f), wy = y + 0.07f * std::sin(4.3f * x + 0.4f);
    float swell = 0.5f + 0.5f * std::sin(3.7f * x - 2.9f * y);
    float lineWidth = std::max(0.035f, 0.9f * pixel) * (0.75f + 0.5f * swell);
    float edge = cellEdgeDistance(wx * cells + 5.3f, wy * cells + 2.1f) / cells;
    float caustic =
        std::exp(-edge / lineWidth) * (1.0f - smoothstep(0.45f, kWaterRadius, r) * 0.6f);
    water = mix(water, kCaustic, clamp01(caustic * 0.95f));
    // The rim's own shadow falls on the water along its upper left edge.
    float inner = smoothstep(kWaterRadius - 0.14f, kWaterRadius, r) *
                  clamp01(0.4f - 0.8f * (x * 0.6f + y * 0.8f) / std::max(r, 0.01f));
    water = water * (1.0f - 0.35f * inner);
    // A broad sheen of sky on the upper left of the surface.
    float gx = (x + 0.22f) / 0.52f, gy = (y + 0.42f) / 0.26f;
    float sheen = 0.22f * smoothstep(1.0f, 0.3f, std::sqrt(gx * gx + gy * gy));
    water = mix(water, rgb(1, 1, 1), sheen);
    float waterEdge = smoothstep(kWaterRadius + pixel * 0.5f, kWaterRadius - pixel * 0.5f, r);
    out = over(out, Rgba{water, waterEdge});

    float g = glint(x, y, pixel);
    out = over(out, Rgba{kGlint, g});
    return out;
}

// Averages kSupersample^2 samples of the emblem over one pixel, premultiplied.
Rgba pixelOfEmblem(float left, float top, float pixel, bool detailed) {
    Rgb sum;
    float alpha = 0.0f;
    for (int sy = 0; sy < kSupersample; ++sy) {
        for (int sx = 0; sx < kSupersample; ++sx) {
            float x = left + (sx + 0.5f) / kSupersample * pixel;
            float y = top + (sy + 0.5f) / kSupersample * pixel;
            Rgba s = emblemAt(x, y, pixel, detailed);
            sum = sum + s.c * s.a;
            alpha += s.a;
        }
    }
    const float count = kSupersample * kSupersample;
    Rgba out;
    out.a = alpha / count;
    if (out.a < 0.5f / 255.0f) {
        return Rgba{};  // clear pixels carry no colour
    }
    out.c = sum * (1.0f / alpha);
    return out;
}

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f));
}

}  // namespace

RgbaImage renderEmblem(int size) {
    RgbaImage image;
    image.width = image.height = size;
    image.pixels.resize(static_cast<std::size_t>(size) * size * 4);
    const float pixel = 2.0f / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgba p = pixelOfEmblem(-1.0f + x * pixel, -1.0f + y * pixel, pixel, size >= 48);
            std::uint8_t* out = &image.pixels[(static_cast<std::size_t>(y) * size + x) * 4];
            out[0] = toByte(p.c.r);
            out[1] = toByte(p.c.g);
            out[2] = toByte(p.c.b);
            out[3] = toByte(p.a);
        }
    }
    return image;
}

std::vector<std::uint8_t> renderAboutPicture(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height, 0);
    // The emblem fills the picture's height, centred.
    const float pixel = 2.0f / (height - 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float ex = (x - width * 0.5f) * pixel, ey = (y - height * 0.5f) * pixel;
            Rgba p = pixelOfEmblem(ex, ey, pixel, true);
            Rgb c = mix(kAboutGreen, p.c, p.a);
            std::uint8_t* out = &rows[static_cast<std::size_t>(height - 1 - y) * stride + x * 3];
            out[0] = toByte(c.b);
            out[1] = toByte(c.g);
            out[2] = toByte(c.r);
        }
    }
    return rows;
}
