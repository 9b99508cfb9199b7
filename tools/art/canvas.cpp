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

// One running-sum box pass along each row, in place.
template <class T>
void boxRows(std::vector<T>& data, int size, int radius, std::vector<T>& line) {
    const int mask = size - 1;
    const float scale = 1.0f / (2 * radius + 1);
    for (int y = 0; y < size; ++y) {
        T* row = data.data() + static_cast<std::size_t>(y) * size;
        T sum{};
        for (int i = -radius; i <= radius; ++i) {
            sum = sum + row[i & mask];
        }
        for (int x = 0; x < size; ++x) {
            line[x] = sum * scale;
            sum = sum + row[(x + radius + 1) & mask] - row[(x - radius) & mask];
        }
        std::copy(line.begin(), line.end(), row);
    }
}

// The same down the columns, keeping one running sum per column so that
// memory is walked row by row.
template <class T>
void boxColumns(std::vector<T>& data, int size, int radius, std::vector<T>& out) {
    const int mask = size - 1;
    const float scale = 1.0f / (2 * radius + 1);
    auto row = [&](int y) { return data.data() + static_cast<std::size_t>(y & mask) * size; };
    std::vector<T> sums(size, T{});
    for (int i = -radius; i <= radius; ++i) {
        const T* r = row(i);
        for (int x = 0; x < size; ++x) {
            sums[x] = sums[x] + r[x];
        }
    }
    for (int y = 0; y < size; ++y) {
        T* o = out.data() + static_cast<std::size_t>(y) * size;
        const T* add = row(y + radius + 1);
        const T* drop = row(y - radius);
        for (int x = 0; x < size; ++x) {
            o[x] = sums[x] * scale;
            sums[x] = sums[x] + add[x] - drop[x];
        }
    }
    data.swap(out);
}

template <class T>
void blurData(std::vector<T>& data, int size, int radius) {
    if (radius <= 0) {
        return;
    }
    std::vector<T> line(size);
    std::vector<T> scratch(data.size());
    // Three passes of a box a third as wide come close to a Gaussian.
    int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxRows(data, size, r, line);
        boxColumns(data, size, r, scratch);
    }
}

}  // namespace

void blur(Field& field, int radius) {
    blurData(field.v, field.size, radius);
}
void blur(Image& image, int radius) {
    blurData(image.px, image.size, radius);
}

namespace {

// The sun, from the upper left of the picture and 50 degrees high.
const float kSunX = -0.431f, kSunY = -0.478f, kSunZ = 0.766f;
const float kSunRise = 1.19f;  // height a ray to the sun gains per pixel travelled

// The highest point within `reach` pixels of each block of 32 x 32 pixels: a
// ray that has climbed above it can meet nothing more.
const int kBlock = 32;
std::vector<float> blockCeilings(const Field& height, int reach) {
    const int n = height.size, blocks = n / kBlock;
    std::vector<float> own(static_cast<std::size_t>(blocks) * blocks, -1e30f);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float& m = own[static_cast<std::size_t>(y / kBlock) * blocks + x / kBlock];
            m = std::max(m, height.at(x, y));
        }
    }
    const int spread = (reach + kBlock - 1) / kBlock;
    std::vector<float> ceiling(own.size(), -1e30f);
    for (int by = 0; by < blocks; ++by) {
        for (int bx = 0; bx < blocks; ++bx) {
            float m = -1e30f;
            for (int dy = -spread; dy <= spread; ++dy) {
                for (int dx = -spread; dx <= spread; ++dx) {
                    int ox = (bx + dx + blocks) % blocks, oy = (by + dy + blocks) % blocks;
                    m = std::max(m, own[static_cast<std::size_t>(oy) * blocks + ox]);
                }
            }
            ceiling[static_cast<std::size_t>(by) * blocks + bx] = m;
        }
    }
    return ceiling;
}

// 1 where something towards the sun stands above the ray from this pixel to the sun.
Field castShadows(const Field& height, const Lighting& l) {
    const int n = height.size;
    const float dirX = kSunX / 0.6436f, dirY = kSunY / 0.6436f;
    const std::vector<float> ceilings = blockCeilings(height, l.shadowReach);
    const int blocks = n / kBlock;
    Field shade(n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const float h = height.at(x, y);
            const float ceiling =
                ceilings[static_cast<std::size_t>(y / kBlock) * blocks + x / kBlock];
            float dark = 0.0f;
            for (float t = 1.5f; t <= l.shadowReach && h + t * kSunRise < ceiling; t += 1.5f) {
                // Rounded to the nearest pixel; the offset keeps the cast's
                // truncation a floor for points left of or above the picture.
                int sx = static_cast<int>(x + dirX * t + 0.5f + n) - n;
                int sy = static_cast<int>(y + dirY * t + 0.5f + n) - n;
                float above = height.at(sx, sy) - (h + t * kSunRise);
                if (above > 0.0f) {
                    dark = std::max(dark, std::min(1.0f, above * 0.5f));
                    if (dark >= 1.0f) {
                        break;
                    }
                }
            }
            shade.at(x, y) = dark;
        }
    }
    blur(shade, l.shadowSoftness);
    return shade;
}

}  // namespace

Image shade(const Field& height, const Image& albedo, const Lighting& l) {
    const int n = height.size;
    Field hollow(n);
    if (l.occlusion > 0.0f) {
        hollow = height;
        blur(hollow, l.occlusionRadius);
    }
    Field shadows(n);
    if (l.shadow > 0.0f) {
        shadows = castShadows(height, l);
    }
    Image out(n);
    const float depthScale = 1.0f / l.occlusionDepth;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float gx = (height.at(x + 1, y) - height.at(x - 1, y)) * 0.5f;
            float gy = (height.at(x, y + 1) - height.at(x, y - 1)) * 0.5f;
            float inv = 1.0f / std::sqrt(gx * gx + gy * gy + 1.0f);
            float lambert = std::max(0.0f, (-gx * kSunX - gy * kSunY + kSunZ) * inv);
            float light = l.flat + l.relief * (lambert - kSunZ);
            if (l.occlusion > 0.0f) {
                float depth = (hollow.at(x, y) - height.at(x, y)) * depthScale;
                light *= 1.0f - l.occlusion * clamp01(depth);
            }
            if (l.shadow > 0.0f) {
                light *= 1.0f - l.shadow * shadows.at(x, y);
            }
            Rgb c = albedo.at(x, y) * std::max(0.0f, light);
            if (l.gloss > 0.0f) {
                float sheen = std::pow(std::max(0.0f, lambert - 0.9f) * 10.0f, 2.0f) * l.gloss;
                c = c + Rgb{sheen, sheen, sheen};
            }
            out.at(x, y) = c;
        }
    }
    return out;
}

void applyWater(Image& image, const WaterLook& look) {
    const int n = image.size;
    // The swell is sin(2 pi (2u + v) + 2 sin(6 pi v)): split into a part per
    // column and a part per row, so that no pixel needs a sine of its own.
    std::vector<float> columnSin(n), columnCos(n);
    for (int x = 0; x < n; ++x) {
        float u = (x + 0.5f) / n;
        columnSin[x] = std::sin(6.2831853f * 2 * u);
        columnCos[x] = std::cos(6.2831853f * 2 * u);
    }
    double sum = 0.0;
    for (int y = 0; y < n; ++y) {
        float v = (y + 0.5f) / n;
        float rowAngle = 6.2831853f * v + 2.0f * std::sin(6.2831853f * v * 3);
        float rowSin = std::sin(rowAngle), rowCos = std::cos(rowAngle);
        double row = 0.0;
        for (int x = 0; x < n; ++x) {
            float swell = 1.0f + look.swell * (columnSin[x] * rowCos + columnCos[x] * rowSin);
            Rgb& c = image.at(x, y);
            c = c * look.tint * swell + look.haze;
            row += luminance(c);
        }
        sum += row;
    }
    const float mean = static_cast<float>(sum / (static_cast<double>(n) * n));
    const float exposure = look.brightness / std::max(mean, 1e-3f);
    for (Rgb& c : image.px) {
        Rgb e = c * exposure;
        float y = luminance(e);
        float stretched = look.brightness + (y - look.brightness) * look.contrast;
        e = saturate(e, look.saturation) * (y > 1e-4f ? stretched / y : 1.0f);
        c = e;
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
