// Wrapping blur, lighting and the water look (see canvas.h).
#include "canvas.h"

#include <cmath>

float Field::sample(float x, float y) const {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    float a = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    float b = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return a + (b - a) * ty;
}

namespace {

// One running-sum box pass along rows (stride 1) or columns (stride size).
template <class T>
void boxPass(std::vector<T>& data, int size, int radius, bool alongRows, std::vector<T>& line) {
    int mask = size - 1;
    float scale = 1.0f / (2 * radius + 1);
    for (int j = 0; j < size; ++j) {
        auto index = [&](int i) {
            i &= mask;
            return alongRows ? static_cast<std::size_t>(j) * size + i
                             : static_cast<std::size_t>(i) * size + j;
        };
        T sum{};
        for (int i = -radius; i <= radius; ++i) {
            sum = sum + data[index(i)];
        }
        for (int i = 0; i < size; ++i) {
            line[i] = sum * scale;
            sum = sum + data[index(i + radius + 1)] - data[index(i - radius)];
        }
        for (int i = 0; i < size; ++i) {
            data[index(i)] = line[i];
        }
    }
}

template <class T>
void blurData(std::vector<T>& data, int size, int radius) {
    if (radius <= 0) {
        return;
    }
    std::vector<T> line(size);
    // Three passes of a box a third as wide come close to a Gaussian.
    int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(data, size, r, true, line);
        boxPass(data, size, r, false, line);
    }
}

}  // namespace

void blur(Field& field, int radius) {
    blurData(field.v, field.size, radius);
}
void blur(Image& image, int radius) {
    blurData(image.px, image.size, radius);
}

Image shade(const Field& height, const Image& albedo, const Lighting& l) {
    const int n = height.size;
    // The sun: from the upper left of the picture and high up.
    const float lx = -0.42f, ly = -0.46f, lz = 0.78f;
    Field hollow(n);
    if (l.occlusion > 0.0f) {
        hollow = height;
        blur(hollow, l.occlusionRadius);
    }
    Field cast(n);
    if (l.shadow > 0.0f) {
        cast = height;
        blur(cast, std::max(1, l.shadowLength / 2));
    }
    Image out(n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float gx = (height.at(x + 1, y) - height.at(x - 1, y)) * 0.5f * l.heightScale;
            float gy = (height.at(x, y + 1) - height.at(x, y - 1)) * 0.5f * l.heightScale;
            float inv = 1.0f / std::sqrt(gx * gx + gy * gy + 1.0f);
            float nx = -gx * inv, ny = -gy * inv, nz = inv;
            float lambert = std::max(0.0f, nx * lx + ny * ly + nz * lz);
            float light = l.ambient + l.diffuse * lambert;
            float h = height.at(x, y);
            if (l.occlusion > 0.0f) {
                light *= 1.0f - l.occlusion * clamp01(hollow.at(x, y) - h);
            }
            if (l.shadow > 0.0f) {
                // Something higher towards the sun shades this pixel.
                float sx = x + lx / 0.62f * l.shadowLength, sy = y + ly / 0.62f * l.shadowLength;
                light *= 1.0f - l.shadow * clamp01(cast.sample(sx, sy) - h);
            }
            Rgb c = albedo.at(x, y) * light;
            if (l.gloss > 0.0f) {
                float sheen = std::pow(std::max(0.0f, lambert - 0.75f) * 4.0f, 3.0f) * l.gloss;
                c = c + Rgb{sheen, sheen, sheen};
            }
            out.at(x, y) = c;
        }
    }
    return out;
}

void applyWater(Image& image, const WaterLook& look) {
    const int n = image.size;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
            float swell = 1.0f + look.swell * std::sin(6.2831853f * (u * 2 + v) +
                                                       2.0f * std::sin(6.2831853f * v * 3));
            Rgb& c = image.at(x, y);
            c = c * look.tint * swell + look.haze;
        }
    }
}

std::vector<std::uint8_t> toBottomUpBgr(const Image& image) {
    // 4x4 ordered dither in quarter-steps of one byte value.
    static const float kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int n = image.size;
    const int stride = (n * 3 + 3) & ~3;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * n, 0);
    for (int row = 0; row < n; ++row) {
        int y = n - 1 - row;  // the bitmap's first row is the picture's bottom row
        std::uint8_t* out = rows.data() + static_cast<std::size_t>(row) * stride;
        for (int x = 0; x < n; ++x) {
            Rgb c = image.at(x, y);
            float d = (kBayer[y & 3][x & 3] + 0.5f) / 16.0f;
            auto byte = [d](float value) {
                float s = std::floor(clamp01(value) * 255.0f + d);
                return static_cast<std::uint8_t>(std::min(255.0f, s));
            };
            out[3 * x + 0] = byte(c.b);
            out[3 * x + 1] = byte(c.g);
            out[3 * x + 2] = byte(c.r);
        }
    }
    return rows;
}
