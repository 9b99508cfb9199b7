// Square, power-of-two pictures that wrap at their edges: a height field and
// a colour image, with the few operations the floors share. Every index wraps,
// so whatever is drawn across an edge comes back at the opposite one.
#pragma once
#include <cstdint>
#include <vector>

#include "color.h"

struct Field {
    explicit Field(int size, float fill = 0.0f)
        : size(size), mask(size - 1), v(static_cast<std::size_t>(size) * size, fill) {}
    float& at(int x, int y) { return v[static_cast<std::size_t>(y & mask) * size + (x & mask)]; }
    float at(int x, int y) const {
        return v[static_cast<std::size_t>(y & mask) * size + (x & mask)];
    }
    // Bilinear sample at pixel coordinates (pixel centres on integers).
    float sample(float x, float y) const;

    int size;
    int mask;
    std::vector<float> v;
};

struct Image {
    explicit Image(int size, Rgb fill = Rgb{})
        : size(size), mask(size - 1), px(static_cast<std::size_t>(size) * size, fill) {}
    Rgb& at(int x, int y) { return px[static_cast<std::size_t>(y & mask) * size + (x & mask)]; }
    Rgb at(int x, int y) const {
        return px[static_cast<std::size_t>(y & mask) * size + (x & mask)];
    }

    int size;
    int mask;
    std::vector<Rgb> px;
};

// Approximately Gaussian blur (three box passes) that wraps at the edges.
void blur(Field& field, int radius);
void blur(Image& image, int radius);

// Calls fn(x, y, dx, dy) for every pixel whose centre lies within `radius` of
// (cx, cy); x and y are wrapped indices, dx and dy the offset from the centre.
template <class Fn>
void forEachInDisc(int size, float cx, float cy, float radius, Fn fn) {
    int x0 = static_cast<int>(cx - radius) - 1, x1 = static_cast<int>(cx + radius) + 1;
    int y0 = static_cast<int>(cy - radius) - 1, y1 = static_cast<int>(cy + radius) + 1;
    float r2 = radius * radius;
    int mask = size - 1;
    for (int y = y0; y <= y1; ++y) {
        float dy = y - cy;
        for (int x = x0; x <= x1; ++x) {
            float dx = x - cx;
            if (dx * dx + dy * dy <= r2) {
                fn(x & mask, y & mask, dx, dy);
            }
        }
    }
}

// How a floor is lit: the sun high and behind the viewer's left shoulder,
// its light coming through clear water. Heights are in pixels.
struct Lighting {
    float flat = 1.0f;       // light on level ground
    float relief = 1.0f;     // how much slopes towards or away from the sun change it
    float occlusion = 0.0f;  // darkening of hollows below their surroundings
    int occlusionRadius = 8;
    float occlusionDepth = 4.0f;  // how far below the surroundings a hollow is fully dark
    float shadow = 0.0f;          // darkness of cast shadows
    int shadowReach = 24;         // how far (pixels) a shadow can fall
    int shadowSoftness = 2;       // blur of the shadow's edge (pixels)
    float gloss = 0.0f;           // a faint sheen on slopes facing the sun
};

// Lights the albedo with the height field's relief, hollows and shadows.
Image shade(const Field& height, const Image& albedo, const Lighting& lighting);

// The look of clear shallow water over the floor: a cool tint, a little haze,
// and a slow, broad swell of light. The screensaver shows a picture at half
// strength under bright, warm caustics, so pictures are graded to a moderate
// mean brightness with some extra contrast and colour to hold their own.
struct WaterLook {
    Rgb tint{0.88f, 0.98f, 1.0f};
    Rgb haze{0.02f, 0.06f, 0.07f};
    float swell = 0.06f;       // strength of the broad brightness variation
    float brightness = 0.45f;  // mean luminance of the finished picture
    float contrast = 1.15f;
    float saturation = 1.2f;
};
void applyWater(Image& image, const WaterLook& look);

// 24-bit rows, bottom row first, as a bitmap stores them; a tiny ordered
// dither keeps smooth gradients from banding.
std::vector<std::uint8_t> toBottomUpBgr(const Image& image);
