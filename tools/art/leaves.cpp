// Sunken leaves (see leaves.h).
#include "leaves.h"

#include <cmath>

#include "floor_kit.h"

void drawLeaf(Rng& rng, float x, float y, float length, float ground, Field& height,
              Image& albedo) {
    static const Rgb kLeafColors[] = {rgb8(150, 110, 60), rgb8(120, 90, 50), rgb8(170, 140, 70),
                                      rgb8(110, 110, 60), rgb8(160, 90, 50)};
    const Rgb color = kLeafColors[rng.below(5)];
    const float angle = rng.rangef(0, 6.2831853f);
    const float width = length * rng.rangef(0.28f, 0.42f);
    const float curl = rng.rangef(-0.15f, 0.15f);
    const float c = std::cos(angle), s = std::sin(angle);
    const float half = 0.5f * length;
    forEachInDisc(height.size, x, y, half + 2, [&](int px, int py, float dx, float dy) {
        float along = (dx * c + dy * s) / half;  // -1 stalk end .. 1 tip
        float across = (-dx * s + dy * c) / (0.5f * width);
        across -= curl * (along * along - 1.0f);  // a gentle bend along the midrib
        if (along < -1.0f || along > 1.0f) {
            return;
        }
        // Widest a little below the middle, pointed at the tip.
        float t = (along + 1.0f) * 0.5f;
        float profile = std::sin(3.14159f * std::pow(t, 0.8f));
        if (std::fabs(across) > profile) {
            // The stalk: a thin line beyond the blade's base.
            return;
        }
        float rib = smoothstep(0.08f, 0.0f, std::fabs(across));
        float veins = std::pow(
            0.5f + 0.5f * std::cos((t * 9.0f + std::fabs(across) * 1.6f) * 6.2831853f), 8.0f);
        float h = ground + 0.8f + 0.6f * (1.0f - std::fabs(across)) + 0.4f * rib;
        Rgb col = color * (1.0f - 0.12f * veins + 0.15f * rib) * (0.9f + 0.2f * std::fabs(across));
        raise(height, albedo, px, py, h, col);
    });
}
