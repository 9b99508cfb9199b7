// Colours and the small arithmetic the painters need, in display values 0..1.
#pragma once
#include <algorithm>
#include <cmath>

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb rgb(float r, float g, float b) {
    return Rgb{r, g, b};
}
// From 0..255 bytes, as colours are usually picked.
inline Rgb rgb8(int r, int g, int b) {
    return Rgb{r / 255.0f, g / 255.0f, b / 255.0f};
}
inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator-(Rgb a, Rgb b) {
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Rgb operator*(float k, Rgb a) {
    return a * k;
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return a + (b - a) * t;
}
inline float luminance(Rgb c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}
// Moves a colour towards its own grey (k < 1) or away from it (k > 1).
inline Rgb saturate(Rgb c, float k) {
    float y = luminance(c);
    return Rgb{y + (c.r - y) * k, y + (c.g - y) * k, y + (c.b - y) * k};
}

inline float clamp01(float x) {
    return std::min(1.0f, std::max(0.0f, x));
}
inline float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}
