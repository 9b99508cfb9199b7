// A mosaic floor: small square tesserae set in mortar, laid by hand (each a
// little off the grid), making panels framed by dark bands, with eight-pointed
// stars and petal rosettes in turn; a few tesserae are lost, the joints are
// grimy.
#include <cmath>
#include <vector>

#include "floor_kit.h"
#include "floor_painters.h"

namespace {
const int kTesseraeAcross = 256;  // over the picture's width
const int kPanel = 64;            // tesserae per panel side
const int kBandWidth = 8;         // tesserae across the bands that frame the panels
const float kJoint = 1.8f;        // mortar joint width, pixels
const float kLostShare = 0.012f;  // tesserae that have come loose
const Rgb kMortar = rgb8(168, 158, 138);
const Rgb kCream = rgb8(230, 220, 196);
const Rgb kBand = rgb8(52, 60, 76);
const Rgb kOchre = rgb8(202, 162, 98);
const Rgb kRed = rgb8(172, 84, 62);
const Rgb kBlue = rgb8(74, 110, 156);
const Rgb kDeepBlue = rgb8(44, 66, 110);
const Rgb kTurquoise = rgb8(86, 152, 152);
const Rgb kWhite = rgb8(242, 238, 228);

// The design: the colour of the tessera at (i, j) of the grid.
Rgb designAt(int i, int j) {
    const int half = kBandWidth / 2;
    int a = i % kPanel, b = j % kPanel;
    int panelX = i / kPanel, panelY = j / kPanel;
    // Frame bands where panels meet: dark edges around a running wave.
    int acrossA = (a + half) % kPanel, acrossB = (b + half) % kPanel;
    bool inA = acrossA < kBandWidth, inB = acrossB < kBandWidth;
    if (inA && inB) {
        int ring = std::max(std::abs(2 * acrossA - 7), std::abs(2 * acrossB - 7));
        return ring >= 7 ? kBand : (ring >= 4 ? kOchre : kRed);  // a square where bands cross
    }
    if (inA || inB) {
        int across = inA ? acrossA : acrossB;
        int along = inA ? j : i;
        if (across == 0 || across == kBandWidth - 1) {
            return kBand;
        }
        float crest = 3.5f + 2.3f * std::sin(6.2831853f * along / 16.0f);
        return across < crest ? kBlue : kCream;
    }
    // Panel interior, centred: x, y in tesserae from the panel's middle.
    float x = a - 31.5f, y = b - 31.5f;
    float r = std::sqrt(x * x + y * y);
    float ax = std::fabs(x), ay = std::fabs(y);
    if (((panelX + panelY) & 1) == 0) {
        // An eight-pointed star: two overlapping squares, one turned by 45 degrees.
        float shape = std::min(std::max(ax, ay), (ax + ay) * 0.7071f);
        if (r < 6.0f)
            return kRed;
        if (r < 8.5f)
            return kOchre;
        if (shape < 16.0f)
            return (shape > 13.5f || r < 10.0f) ? kDeepBlue : kBlue;
        if (shape < 17.5f)
            return kWhite;
        if (r > 24.0f && r < 26.0f)
            return kOchre;  // a ring around the star
        return kCream;
    }
    // A rosette: eight petals inside a double ring.
    float theta = std::atan2(y, x);
    float petal = 19.0f * (0.42f + 0.58f * std::fabs(std::cos(4.0f * theta)));
    if (r < 4.0f)
        return kOchre;
    if (r < petal)
        return r < petal - 2.2f ? kRed : kWhite;
    if (r > 22.0f && r < 24.0f)
        return kTurquoise;
    if (r > 25.0f && r < 26.5f)
        return kDeepBlue;
    return kCream;
}

}  // namespace

namespace {

// How one tessera was set: its offset from the grid, turn, size and tilt.
struct Tessera {
    float offsetX, offsetY, cosTurn, sinTurn, half, tiltX, tiltY;
};

std::vector<Tessera> layTesserae(float cell, std::uint32_t seed) {
    std::vector<Tessera> laid(kTesseraeAcross * kTesseraeAcross);
    for (std::uint32_t id = 0; id < laid.size(); ++id) {
        float turn = (hashUnit(id, 3, seed) - 0.5f) * 0.1f;
        laid[id] = Tessera{(hashUnit(id, 1, seed) - 0.5f) * 1.2f,
                           (hashUnit(id, 2, seed) - 0.5f) * 1.2f,
                           std::cos(turn),
                           std::sin(turn),
                           0.5f * (cell - kJoint) + (hashUnit(id, 4, seed) - 0.5f) * 0.6f,
                           (hashUnit(id, 5, seed) - 0.5f) * 0.16f,
                           (hashUnit(id, 6, seed) - 0.5f) * 0.16f};
    }
    return laid;
}

}  // namespace

Image paintMosaic(int size, std::uint32_t seed) {
    Field height(size);
    Image albedo(size);
    const float cell = static_cast<float>(size) / kTesseraeAcross;
    const std::vector<Tessera> laid = layTesserae(cell, seed);
    Field grime =
        smoothField(size, 4, [&](float u, float v) { return fractalNoise(u, v, 4, 4, seed + 1); });
    forEachPixel(size, [&](int x, int y, float u, float v) {
        float dirt = grime.at(x, y);
        // Look at this cell and its neighbours: a tessera laid off its grid
        // position may reach into the next cell.
        int ci = static_cast<int>(x / cell), cj = static_cast<int>(y / cell);
        float bestEdge = -1e9f;
        int bi = ci, bj = cj;
        float bestTilt = 0;
        for (int dj = -1; dj <= 1; ++dj) {
            for (int di = -1; di <= 1; ++di) {
                int i = (ci + di + kTesseraeAcross) % kTesseraeAcross;
                int j = (cj + dj + kTesseraeAcross) % kTesseraeAcross;
                const Tessera& t = laid[static_cast<std::size_t>(j) * kTesseraeAcross + i];
                float cx = (ci + di + 0.5f) * cell + t.offsetX;
                float cy = (cj + dj + 0.5f) * cell + t.offsetY;
                float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                float rx = dx * t.cosTurn + dy * t.sinTurn;
                float ry = -dx * t.sinTurn + dy * t.cosTurn;
                // Rounded corners: distance inside a rounded square.
                float qx = std::fabs(rx) - (t.half - 1.0f), qy = std::fabs(ry) - (t.half - 1.0f);
                float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) +
                                          std::max(qy, 0.0f) * std::max(qy, 0.0f)) +
                                std::min(std::max(qx, qy), 0.0f) - 1.0f;
                float edge = -outside;
                if (edge > bestEdge) {
                    bestEdge = edge;
                    bi = i;
                    bj = j;
                    bestTilt = t.tiltX * rx + t.tiltY * ry;
                }
            }
        }
        std::uint32_t id = static_cast<std::uint32_t>(bj * kTesseraeAcross + bi);
        bool lost = hashUnit(id, 7, seed) < kLostShare;
        if (bestEdge <= 0.0f || lost) {
            height.at(x, y) = lost ? -1.5f : -0.8f;
            Rgb m = kMortar * (0.9f + 0.15f * hashUnit(x, y, seed + 2));
            albedo.at(x, y) =
                mix(m, rgb8(110, 116, 90), clamp01(dirt * 0.7f)) * (lost ? 0.85f : 1.0f);
            return;
        }
        Rgb c = designAt(bi, bj);
        // Stone and glass tesserae differ a little, one from the next.
        float shade = 0.9f + 0.16f * hashUnit(id, 8, seed);
        Rgb hue =
            rgb((hashUnit(id, 9, seed) - 0.5f) * 0.05f, (hashUnit(id, 10, seed) - 0.5f) * 0.04f,
                (hashUnit(id, 11, seed) - 0.5f) * 0.05f);
        float speck = gradientNoise(u, v, 700, seed + 3) * 0.04f;
        c = (c + hue) * (shade + speck) * (1.0f - 0.12f * clamp01(dirt + 0.2f));
        float bevel = std::sqrt(clamp01(bestEdge / 1.5f));
        height.at(x, y) = 1.0f * bevel + bestTilt;
        albedo.at(x, y) = c;
    });

    Lighting light;
    light.relief = 0.9f;
    light.occlusion = 0.3f;
    light.occlusionRadius = 4;
    light.occlusionDepth = 2.0f;
    light.shadow = 0.35f;
    light.shadowReach = 8;
    light.gloss = 0.06f;
    Image picture = shade(height, albedo, light);
    WaterLook water;
    water.tint = rgb(0.9f, 0.99f, 1.0f);
    water.haze = rgb(0.0f, 0.04f, 0.06f);
    water.brightness = 0.46f;
    applyWater(picture, water);
    return picture;
}
