// A swimming pool's floor: glazed tiles with grout lines, a dark blue lane
// stripe, a round drain, and a few sunken leaves.
#include <cmath>

#include "floor_kit.h"
#include "floor_painters.h"
#include "leaves.h"

namespace {
const int kTilesAcross = 24;                   // tiles over the picture's width
const float kGrout = 3.5f;                     // grout line width, pixels
const float kBevel = 3.0f;                     // rounded tile edge, pixels
const int kStripeFirst = 6, kStripeTiles = 3;  // the lane stripe's tile columns
const Rgb kTile = rgb8(226, 238, 240);
const Rgb kStripeTile = rgb8(36, 62, 116);
const Rgb kGroutColor = rgb8(160, 164, 158);
const float kDrainX = 0.43f, kDrainY = 0.80f, kDrainRadius = 52.0f;
const int kLeafCount = 5;
}  // namespace

namespace {

void paintDrain(float cx, float cy, float radius, Field& height, Image& albedo) {
    forEachInDisc(height.size, cx, cy, radius, [&](int x, int y, float dx, float dy) {
        float r = std::sqrt(dx * dx + dy * dy);
        Rgb metal = rgb8(176, 180, 184);
        float h = 1.2f;
        if (r < radius - 6.0f) {
            // Parallel slots across the grate.
            float slot = std::fmod(dy + radius + 1000.0f, 9.0f);
            if (slot > 4.5f &&
                std::fabs(dx) <
                    std::sqrt(std::max(0.0f, (radius - 10) * (radius - 10) - dy * dy))) {
                metal = rgb8(24, 40, 48);
                h = -3.0f;
            }
        } else {
            h = 1.8f;  // the raised ring
        }
        height.at(x, y) = h;
        albedo.at(x, y) = metal;
    });
}

}  // namespace

Image paintPoolTiles(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    const float tileSize = static_cast<float>(size) / kTilesAcross;
    Field dirt =
        smoothField(size, 4, [&](float u, float v) { return fractalNoise(u, v, 5, 4, seed + 1); });
    forEachPixel(size, [&](int x, int y, float u, float v) {
        int tx = static_cast<int>(x / tileSize), ty = static_cast<int>(y / tileSize);
        float fx = x + 0.5f - tx * tileSize, fy = y + 0.5f - ty * tileSize;
        std::uint32_t tileId = static_cast<std::uint32_t>(ty * kTilesAcross + tx);
        // Each tile sits a little off the ideal grid, as laid by hand.
        float jx = (hashUnit(tileId, 1, seed) - 0.5f) * 1.4f;
        float jy = (hashUnit(tileId, 2, seed) - 0.5f) * 1.4f;
        float halfGrout = 0.5f * kGrout;
        float edge = std::min(std::min(fx - halfGrout - jx, tileSize - halfGrout + jx - fx),
                              std::min(fy - halfGrout - jy, tileSize - halfGrout + jy - fy));
        float grime = dirt.at(x, y);
        if (edge <= 0.0f) {
            height.at(x, y) = -0.5f;
            Rgb g = kGroutColor * (0.92f + 0.1f * grime);
            g = mix(g, rgb8(120, 140, 110), clamp01(grime * 0.8f));  // algae in the joints
            albedo.at(x, y) = g * (0.95f + 0.1f * hashUnit(x, y, seed + 3));
            return;
        }
        bool stripe = tx >= kStripeFirst && tx < kStripeFirst + kStripeTiles;
        Rgb tile = stripe ? kStripeTile : kTile;
        float shade = 1.0f + 0.05f * (hashUnit(tileId, 3, seed) - 0.5f);
        Rgb hue = rgb(0.02f * (hashUnit(tileId, 4, seed) - 0.5f), 0.0f,
                      0.02f * (hashUnit(tileId, 5, seed) - 0.5f));
        float glaze =
            gradientNoise(u, v, 384, seed + 6) * 0.02f + (hashUnit(x, y, seed + 9) - 0.5f) * 0.03f;
        Rgb c = (tile + hue) * (shade + glaze) * (1.0f - 0.08f * clamp01(grime + 0.3f));
        // Tiles are not quite level: a small random tilt changes their light.
        float tiltX = (hashUnit(tileId, 7, seed) - 0.5f) * 0.03f;
        float tiltY = (hashUnit(tileId, 8, seed) - 0.5f) * 0.03f;
        float bevel =
            1.5f *
            std::sqrt(std::max(0.0f, 1.0f - std::pow(1.0f - std::min(edge / kBevel, 1.0f), 2.0f)));
        height.at(x, y) = bevel + tiltX * (fx - 0.5f * tileSize) + tiltY * (fy - 0.5f * tileSize);
        albedo.at(x, y) = c;
    });

    paintDrain(kDrainX * size, kDrainY * size, kDrainRadius, height, albedo);
    Rng rng(seed);
    for (int i = 0; i < kLeafCount; ++i) {
        drawLeaf(rng, rng.rangef(0, size), rng.rangef(0, size), rng.rangef(50, 90), 1.5f, height,
                 albedo);
    }

    Lighting light;
    light.relief = 1.0f;
    light.occlusion = 0.3f;
    light.occlusionRadius = 4;
    light.occlusionDepth = 2.0f;
    light.shadow = 0.45f;
    light.shadowReach = 12;
    light.gloss = 0.05f;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.84f, 0.95f, 0.98f);
    water.haze = rgb(0.0f, 0.04f, 0.06f);
    water.swell = 0.03f;
    water.brightness = 0.50f;
    applyWater(picture, water);
    return picture;
}
