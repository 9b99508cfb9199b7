// Tileable gradient and cellular noise (see noise.h).
#include "noise.h"

#include <cmath>

namespace {

// 32 evenly spread unit directions for the gradients.
struct Directions {
    float x[32], y[32];
    Directions() {
        for (int i = 0; i < 32; ++i) {
            double a = 6.283185307179586 * (i + 0.5) / 32.0;
            x[i] = static_cast<float>(std::cos(a));
            y[i] = static_cast<float>(std::sin(a));
        }
    }
};
const Directions kDirections;

inline int wrap(int i, int period) {
    int m = i % period;
    return m < 0 ? m + period : m;
}

inline float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

}  // namespace

std::uint32_t hash32(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
    std::uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float hashUnit(std::uint32_t a, std::uint32_t b, std::uint32_t seed) {
    return static_cast<float>(hash32(a, b, seed) >> 8) * (1.0f / 16777216.0f);
}

float gradientNoise(float u, float v, int period, std::uint32_t seed) {
    float x = u * period;
    float y = v * period;
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    float tx = x - fx;
    float ty = y - fy;
    // Inside the picture the cell index is already in range; only points
    // outside it need the (slow) remainder.
    int x0 = static_cast<unsigned>(ix) < static_cast<unsigned>(period) ? ix : wrap(ix, period);
    int y0 = static_cast<unsigned>(iy) < static_cast<unsigned>(period) ? iy : wrap(iy, period);
    int x1 = x0 + 1 == period ? 0 : x0 + 1;
    int y1 = y0 + 1 == period ? 0 : y0 + 1;
    auto corner = [&](int cx, int cy, float dx, float dy) {
        std::uint32_t h =
            hash32(static_cast<std::uint32_t>(cx), static_cast<std::uint32_t>(cy), seed) & 31u;
        return kDirections.x[h] * dx + kDirections.y[h] * dy;
    };
    float n00 = corner(x0, y0, tx, ty);
    float n10 = corner(x1, y0, tx - 1.0f, ty);
    float n01 = corner(x0, y1, tx, ty - 1.0f);
    float n11 = corner(x1, y1, tx - 1.0f, ty - 1.0f);
    float sx = fade(tx);
    float sy = fade(ty);
    float a = n00 + (n10 - n00) * sx;
    float b = n01 + (n11 - n01) * sx;
    // Gradient noise peaks near +-0.7; scale it to about +-1.
    return 1.41f * (a + (b - a) * sy);
}

float fractalNoise(float u, float v, int period, int octaves, std::uint32_t seed, float gain) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise(u, v, period << i, seed + 0x9E37u * i);
        total += amplitude;
        amplitude *= gain;
    }
    return sum / total * 1.6f;
}

float ridgedNoise(float u, float v, int period, int octaves, std::uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        float n = 1.0f - std::fabs(gradientNoise(u, v, period << i, seed + 0x7F4Au * i));
        sum += amplitude * n * n;
        total += amplitude;
        amplitude *= 0.5f;
    }
    return sum / total;
}

CellSample cellNoise(float u, float v, int period, std::uint32_t seed, float jitter) {
    float x = u * period;
    float y = v * period;
    int ix = static_cast<int>(std::floor(x));
    int iy = static_cast<int>(std::floor(y));
    float best = 1e9f, second = 1e9f;
    std::uint32_t bestId = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int cx = ix + dx, cy = iy + dy;
            std::uint32_t wx = static_cast<std::uint32_t>(wrap(cx, period));
            std::uint32_t wy = static_cast<std::uint32_t>(wrap(cy, period));
            std::uint32_t h = hash32(wx, wy, seed);
            float px = cx + 0.5f + jitter * ((h & 0xFFFF) / 65536.0f - 0.5f);
            float py = cy + 0.5f + jitter * ((h >> 16) / 65536.0f - 0.5f);
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < best) {
                second = best;
                best = d;
                bestId = wy * static_cast<std::uint32_t>(period) + wx;
            } else if (d < second) {
                second = d;
            }
        }
    }
    return CellSample{best, second, bestId};
}
