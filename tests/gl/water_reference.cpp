// The water shaders' formulas on the CPU. Everything is double precision but
// the hash arguments: fract(sin(x) * 521.582) turns the last bit of x into a
// visible change (one unit in the last place of a single-precision x near 2000
// is 1.2e-4, which moves the hash by 0.06), so a double x would describe some
// other pattern than the one the shader draws. The hashes therefore form x from
// single-precision inputs and constants, product by product as GLSL does, and
// take sin and everything after it in double.
#include "tests/gl/water_reference.h"

#include <algorithm>
#include <cmath>

namespace {

// The look of the water, as the fragment shader names it.
constexpr double VORONOI_NOISE_POW = 5.0;
constexpr double VORONOI_BRIGHTNESS_ADD = 0.05;
constexpr float SIZE_MUL = 1.5f;
constexpr float ALPHA_MUL = 0.9f;
constexpr int LAYERS = 4;
constexpr Rgba WATER_COLOR = {0.97, 0.89, 0.45, 1.0};
constexpr double UV_MUL = 3.0;
constexpr double UV_DISPLACEMENT_STRENGTH = 0.15;
constexpr double UV_DISPLACEMENT_SIZE = 5.0;
constexpr double WATER_SPEED = 0.3;
constexpr float LOOP_SECONDS = 4096.0f;
constexpr double LATTICE = 64.0;

double fract(double v) {
    return v - std::floor(v);
}

double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

// A two-term dot product of single-precision values, rounded as the shader rounds it.
double singleDot(float a, float b, float c, float d) {
    float first = a * c;
    float second = b * d;
    return static_cast<double>(first + second);
}

// Whole turns per loop for a cell: whole numbers all the way, exact in any precision.
double cellTurns(Point2 cell) {
    auto wrap = [](long v) { return v % 4096; };
    long h = wrap(static_cast<long>(cell.x + cell.y * 64.0) * 1597 + 51);
    h = wrap(h * h + h / 64 * 13 + 7);
    h = wrap(h * 2053 + h / 64 * 29 + 11);
    h = wrap(h * h + h / 64 * 13 + 7);
    return std::floor(h * 0.1875);
}

Point2 hash2_2(float x, float y) {
    return {fract(std::sin(singleDot(x, y, 20.52f, 24.1994f)) * 492.194),
            fract(std::sin(singleDot(x, y, 70.291f, 80.171f)) * 492.194)};
}

Point2 hash2_2(Point2 p) {
    return hash2_2(static_cast<float>(p.x), static_cast<float>(p.y));
}

Point2 noise2_2(Point2 p) {
    Point2 w = {referenceSmoothstep(0.0, 1.0, fract(p.x)),
                referenceSmoothstep(0.0, 1.0, fract(p.y))};
    Point2 c = {std::floor(p.x), std::floor(p.y)};
    Point2 c00 = hash2_2(c);
    Point2 c01 = hash2_2({c.x, c.y + 1.0});
    Point2 c10 = hash2_2({c.x + 1.0, c.y});
    Point2 c11 = hash2_2({c.x + 1.0, c.y + 1.0});
    Point2 left = {mix(c00.x, c01.x, w.y), mix(c00.y, c01.y, w.y)};
    Point2 right = {mix(c10.x, c11.x, w.y), mix(c10.y, c11.y, w.y)};
    return {mix(left.x, right.x, w.x), mix(left.y, right.y, w.x)};
}

// x mod LATTICE, as GLSL's mod takes it.
double wrapCell(double x) {
    return x - LATTICE * std::floor(x / LATTICE);
}

Point2 voronoiPointFromRoot(Point2 root, Point2 cell, double angle) {
    Point2 h = hash2_2(cell);
    Point2 q = {h.x - 0.5, h.y - 0.5};
    double s = std::sin(angle);
    double c = std::cos(angle);
    return {s * q.x - c * q.y + root.x + 0.5, c * q.x + s * q.y + root.y + 0.5};
}

double voronoi(Point2 p, double loopPhase) {
    Point2 r0 = {std::floor(p.x), std::floor(p.y)};
    double minDist = 2.0;
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            Point2 r = {r0.x + x, r0.y + y};
            Point2 cell = {wrapCell(r.x), wrapCell(r.y)};
            double angle = 2.0 * M_PI * fract(cellTurns(cell) * loopPhase);
            Point2 point = voronoiPointFromRoot(r, cell, angle);
            minDist = std::min(minDist, std::hypot(p.x - point.x, p.y - point.y));
        }
    }
    return minDist;
}

double fractVoronoi(Point2 p, double loopPhase) {
    double noise = 0.0;
    // size and alpha feed a hash, so they run in single precision like the shader's.
    float size = 1.0f;
    float alpha = 1.0f;
    for (int i = 0; i < LAYERS; ++i) {
        // Whole lattice periods of drift per loop, in single precision as the shader has it.
        Point2 drift = hash2_2(size, alpha);
        const float speed = static_cast<float>(WATER_SPEED) * size * LOOP_SECONDS;
        const double cellsX =
            std::floor(static_cast<float>(drift.x) * speed / LATTICE + 0.5f) * LATTICE;
        const double cellsY =
            std::floor(static_cast<float>(drift.y) * speed / LATTICE + 0.5f) * LATTICE;
        Point2 layer = {p.x * size + wrapCell(cellsX * loopPhase),
                        p.y * size + wrapCell(cellsY * loopPhase)};
        noise +=
            std::pow(voronoi(layer, loopPhase) * alpha + VORONOI_BRIGHTNESS_ADD, VORONOI_NOISE_POW);
        size *= SIZE_MUL;
        alpha *= ALPHA_MUL;
    }
    double a = ALPHA_MUL;
    return noise * (1.0 - a) / (1.0 - std::pow(a, LAYERS));
}

}  // namespace

double referenceSmoothstep(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

FragmentFrame fragmentFrame(double fragX, double fragY, const WaterInputs& inputs) {
    double w = inputs.viewportWidth;
    double h = inputs.viewportHeight;
    FragmentFrame frame;
    frame.aspectRatio = w / h;
    frame.uv = {(2.0 * fragX - w) / w, (2.0 * fragY - h) / w};
    frame.uvt = {fragX / w, fragY / h / frame.aspectRatio};
    frame.absoluteRatio = frame.aspectRatio >= 1.0 ? frame.aspectRatio : 1.0 / frame.aspectRatio;
    return frame;
}

WaveParameters referenceWave(const FragmentFrame& frame, double iTime) {
    Point2 uv = {frame.uv.x * UV_MUL, frame.uv.y * UV_MUL};
    Point2 noise = noise2_2({uv.x * UV_DISPLACEMENT_SIZE, uv.y * UV_DISPLACEMENT_SIZE});
    Point2 displaced = {uv.x + noise.x * UV_DISPLACEMENT_STRENGTH,
                        uv.y + noise.y * UV_DISPLACEMENT_STRENGTH};
    double fractVoro = fractVoronoi(displaced, iTime / LOOP_SECONDS);
    return {referenceSmoothstep(-0.2, 0.3, fractVoro), fractVoro};
}

double crossFadeWeight(double textureTime) {
    const double level = 0.5;
    return referenceSmoothstep(level - 0.25, level + 0.25, textureTime);
}

Point2 backgroundCoordinates(const FragmentFrame& frame, double displacementWeight) {
    return {frame.uvt.x / frame.absoluteRatio - 0.02 * displacementWeight,
            frame.uvt.y / frame.absoluteRatio - 0.02 * displacementWeight};
}

Point2 normalsCoordinates(const FragmentFrame& frame, double normalsTextureSize) {
    double textureRatio = normalsTextureSize / 1024.0;
    return {frame.uvt.x * textureRatio, frame.uvt.y * textureRatio};
}

Rgba waterColour(const WaveParameters& wave, const Rgba& b) {
    auto channel = [&](double water, double background) {
        return 0.7 * (wave.res * water + wave.fractVoro) + 0.5 * background;
    };
    return {channel(WATER_COLOR.r, b.r), channel(WATER_COLOR.g, b.g), channel(WATER_COLOR.b, b.b),
            channel(WATER_COLOR.a, b.a)};
}
