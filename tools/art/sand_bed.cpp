// The sand bed (see sand_bed.h).
#include "sand_bed.h"

#include <cmath>

#include "floor_kit.h"

void paintSandBed(const SandBed& bed, std::uint32_t seed, Field& height, Image& albedo) {
    const int n = height.size;
    const float twoPi = 6.2831853f;
    const int step = 4;
    Field wanderField = smoothField(n, step, [&](float u, float v) {
        return bed.rippleWander * fractalNoise(u, v, 3, 3, seed + 1);
    });
    Field blendField = smoothField(n, step, [&](float u, float v) {
        return smoothstep(-0.35f, 0.35f, fractalNoise(u, v, 4, 2, seed + 2));
    });
    Field strengthField = smoothField(n, step, [&](float u, float v) {
        return 0.65f + 0.45f * fractalNoise(u, v, 5, 2, seed + 3);
    });
    Field swellField = smoothField(n, step, [&](float u, float v) {
        return bed.swellHeight * fractalNoise(u, v, 2, 3, seed + 4);
    });
    Field patchField = smoothField(n, step, [&](float u, float v) {
        return 0.5f + 0.5f * fractalNoise(u, v, 6, 4, seed + 7);
    });
    forEachPixel(n, [&](int x, int y, float u, float v) {
        // Two ripple trains, one crest apart over the picture, blended by a
        // slow mask: where the blend turns, crests fork or end.
        float wander = wanderField.at(x, y);
        float phaseA = twoPi * (bed.rippleCyclesX * u + bed.rippleCyclesY * v + wander);
        float phaseB = twoPi * (bed.rippleCyclesX * u + (bed.rippleCyclesY + 1) * v + wander);
        float blend = blendField.at(x, y);
        auto crest = [](float phase) {
            // A long gentle stoss side up to the crest, then a short steep lee side.
            float s = phase * (1.0f / 6.2831853f);
            s -= std::floor(s);
            float t = s < 0.68f ? std::sin(1.5707963f * s / 0.68f)
                                : std::cos(1.5707963f * (s - 0.68f) / 0.32f);
            return t * t;
        };
        float ripple = crest(phaseA) * (1.0f - blend) + crest(phaseB) * blend;
        float strength = strengthField.at(x, y);
        float swell = swellField.at(x, y);
        float bumps = gradientNoise(u, v, 256, seed + 5) * 0.25f +
                      gradientNoise(u, v, 97 * 8, seed + 6) * 0.1f * (1.0f + 3.0f * bed.coarse);
        // Small ripples across the troughs where the big ones are weak.
        float ladder = std::sin(
            twoPi * (bed.rippleCyclesY * 2 * u - bed.rippleCyclesX * 3 * v + wander * 3.0f));
        float ladderStrength = bed.ladderHeight * clamp01(1.3f - strength * 1.3f) * (1.0f - ripple);
        height.at(x, y) =
            bed.rippleHeight * strength * ripple + swell + bumps + ladderStrength * ladder;

        // Colour: patches of lighter and darker sand, dark grains in troughs,
        // single grains that catch the light or stand out dark.
        float patch = patchField.at(x, y);
        Rgb sand = mix(bed.light, bed.dark,
                       clamp01(patch + bed.troughDarkening * 4.0f * (0.5f - ripple) * strength));
        float fine =
            gradientNoise(u, v, 512, seed + 8) * 0.5f + gradientNoise(u, v, 1024, seed + 9);
        std::uint32_t h =
            hash32(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed + 10);
        float speck = (h & 0xFFFF) / 65536.0f;
        float k = 1.0f + bed.grain * (fine * 0.6f + (speck - 0.5f) * 0.8f);
        Rgb c = sand * k;
        unsigned kind = (h >> 16) & 0x3FF;
        if (kind < 6 + static_cast<unsigned>(30 * bed.coarse)) {
            c = c * 0.78f;  // a dark mineral grain
        } else if (kind > 1016) {
            c = mix(c, rgb(1.0f, 0.98f, 0.92f), 0.4f);  // a grain of quartz or shell
        } else if (kind < 20 + static_cast<unsigned>(30 * bed.coarse) && bed.coarse > 0) {
            c = mix(c, rgb8(180, 120, 110), 0.5f);  // a red grain in shell grit
        }
        albedo.at(x, y) = c;
    });
}
