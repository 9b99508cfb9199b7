// Shared tools of the floor painters: walking the picture, placing things
// without crowding (with wrap-around), and drawing raised shapes into a
// height field and a colour image with a depth test, so that what is drawn
// higher covers what lies lower.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "canvas.h"
#include "noise.h"
#include "rng.h"

// Calls fn(x, y, u, v) for every pixel; u, v are the pixel centre in picture units.
template <class Fn>
void forEachPixel(int size, Fn fn) {
    const float inv = 1.0f / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            fn(x, y, (x + 0.5f) * inv, (y + 0.5f) * inv);
        }
    }
}

// A smooth field worked out only every `step` pixels and filled in between
// (bilinearly, wrapping): slow noise costs a fraction of its full price.
template <class Fn>
Field smoothField(int size, int step, Fn fn) {
    const int coarse = size / step;
    Field grid(coarse);
    forEachPixel(coarse, [&](int x, int y, float, float) {
        grid.at(x, y) = fn(static_cast<float>(x) / coarse, static_cast<float>(y) / coarse);
    });
    Field out(size);
    const float inv = 1.0f / step;
    forEachPixel(size, [&](int x, int y, float, float) {
        out.at(x, y) = grid.sample((x + 0.5f) * inv, (y + 0.5f) * inv);
    });
    return out;
}

// Points in a wrapping square of `size` pixels that keep a distance from each
// other: a candidate is refused when it comes closer than the sum of its own
// and a neighbour's radius, times `spacing`.
class Scatter {
  public:
    Scatter(int size, float largestRadius);
    bool tryPlace(float x, float y, float radius, float spacing);

  private:
    struct Point {
        float x, y, r;
    };
    int size_;
    int cells_;
    float cellSize_;
    int reach_;
    std::vector<std::vector<Point>> grid_;
};

// A rounded stone seen from above: an ellipse with a lumpy outline and a domed top.
struct StoneShape {
    float cx = 0, cy = 0;                                // centre, pixels
    float rx = 10, ry = 8;                               // half axes, pixels
    float angle = 0;                                     // turn of the long axis, radians
    float base = 0;                                      // height of the outline
    float height = 6;                                    // height of the top above the outline
    float dome = 0.5f;                                   // 0.2 flat-topped .. 1 fully round
    float lump2 = 0, lump3 = 0, phase2 = 0, phase3 = 0;  // outline wobble
};

// Calls fn(x, y, h, ex, ey, edge) for each pixel inside the stone, with its
// surface height h, the position (ex, ey) in the stone's own unit frame, and
// edge = 0 at the centre rising to 1 at the outline.
template <class Fn>
void forEachStonePixel(int size, const StoneShape& s, Fn fn) {
    const float reach = std::max(s.rx, s.ry) * (1.0f + std::fabs(s.lump2) + std::fabs(s.lump3)) + 2;
    const float c = std::cos(s.angle), sn = std::sin(s.angle);
    forEachInDisc(size, s.cx, s.cy, reach, [&](int x, int y, float dx, float dy) {
        float ex = (dx * c + dy * sn) / s.rx;
        float ey = (-dx * sn + dy * c) / s.ry;
        float d = std::sqrt(ex * ex + ey * ey);
        if (d > 1.0f + std::fabs(s.lump2) + std::fabs(s.lump3)) {
            return;
        }
        float ca = d > 0 ? ex / d : 1, sa = d > 0 ? ey / d : 0;
        float c2 = ca * ca - sa * sa, s2 = 2 * ca * sa;
        float c3 = ca * (4 * ca * ca - 3), s3 = sa * (3 - 4 * sa * sa);
        float wobble = 1.0f + s.lump2 * (c2 * std::cos(s.phase2) + s2 * std::sin(s.phase2)) +
                       s.lump3 * (c3 * std::cos(s.phase3) + s3 * std::sin(s.phase3));
        float edge = d / wobble;
        if (edge >= 1.0f) {
            return;
        }
        float h = s.base + s.height * std::pow(1.0f - edge * edge, s.dome);
        fn(x, y, h, ex, ey, edge);
    });
}

// A random stone outline wobble.
void randomLumps(Rng& rng, StoneShape& s, float strength);

// Calls fn(x, y, h, across, along) for pixels within `radius` of the segment
// a-b (a rounded rod lying on the floor): h is the rod's surface height above
// `base`, across runs -1..1 over its width and along 0..1 from a to b.
template <class Fn>
void forEachRodPixel(int size, float ax, float ay, float bx, float by, float radiusA, float radiusB,
                     float base, Fn fn) {
    const float mx = 0.5f * (ax + bx), my = 0.5f * (ay + by);
    const float vx = bx - ax, vy = by - ay;
    const float len2 = std::max(1e-6f, vx * vx + vy * vy);
    const float reach = 0.5f * std::sqrt(len2) + std::max(radiusA, radiusB) + 1;
    forEachInDisc(size, mx, my, reach, [&](int x, int y, float dx, float dy) {
        float px = mx + dx - ax, py = my + dy - ay;
        float t = std::min(1.0f, std::max(0.0f, (px * vx + py * vy) / len2));
        float r = radiusA + (radiusB - radiusA) * t;
        float qx = px - t * vx, qy = py - t * vy;
        float d = std::sqrt(qx * qx + qy * qy);
        if (d >= r) {
            return;
        }
        float side = (px * vy - py * vx) >= 0 ? 1.0f : -1.0f;
        float h = base + std::sqrt(r * r - d * d);
        fn(x, y, h, side * d / r, t);
    });
}

// Sets height and colour where the new surface lies above what is there.
inline bool raise(Field& height, Image& albedo, int x, int y, float h, Rgb color) {
    float& current = height.at(x, y);
    if (h <= current) {
        return false;
    }
    current = h;
    albedo.at(x, y) = color;
    return true;
}
