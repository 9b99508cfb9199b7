#version 120
// Glimmerpond 3D water, fragment stage: warm caustics from four layers of
// drifting Voronoi distance noise, over a cross-fade of two background
// pictures that shift slightly where the light is bright.
//
// renderMode 0: the wave parameters (res, fractVoro) into the off-screen target
// renderMode 1: the whole picture at full resolution
// renderMode 2: the whole picture, with the wave parameters read back from mode 0
//
// Written to be quick on software rasterisers, which run the shader for
// several pixels at once, compute both sides of every "if" and leave a loop
// only once no pixel wants another pass: the cells' points come from a table
// drawn once a frame where they can, the nearest-point search walks the cells
// nearest first and stops early where each point is worked out per pixel,
// the layers are written out, sin and cos of a turn share one range
// reduction, and the fifth power is a product.
//
// The water loops: after LOOP_SECONDS it is back where it started, so the
// program hands over a time that never grows past the loop, where single
// precision still counts in fractions of a millisecond, and the picture stays
// the same through weeks of running. Every cell point turns a whole number of
// times in a loop, every layer drifts a whole number of lattice periods, and
// the lattice of cell points repeats every LATTICE cells (far more than a
// screen shows of the finest layer).
//
// One text, four programs: the program puts one of these lines after the
// version line, or none.
//   #define CELL_POINTS_FROM_TABLE  the water, every cell's point read from a
//       table of the lattice drawn for the frame (cellPoints)
//   #define CELL_POINTS_INTO_TABLE  the pass that draws that table: 2 LATTICE x
//       LATTICE texels, the cells' x on the left half, their y on the right
//   #define WAVES_READ_BACK  renderMode 2 alone, without the pattern's code,
//       which a software rasteriser would otherwise run with every pixel
//       masked off
// With none, the water works every cell's point out itself: where no
// framebuffer object can hold the table. A cell's point costs two sines, an
// integer hash and a turn; read from the table, two lookups.

varying vec2 fs_tex;

uniform float iTime;
uniform float viewportWidth;
uniform float viewportHeight;
uniform float textureTime;
uniform sampler2D normalsTexture;
uniform sampler2D backgroundTexture;
uniform sampler2D backgroundTexture2;
uniform float normalsTextureSize;
uniform int renderMode;
#ifdef CELL_POINTS_FROM_TABLE
uniform sampler2D cellPoints;
#endif

// The look of the water.
const float VORONOI_NOISE_POW = 5.0;
const float VORONOI_BRIGHTNESS_ADD = 0.05;
const float SIZE_MUL = 1.5;
const float ALPHA_MUL = 0.9;
const int LAYERS = 4;
const vec4 WATER_COLOR = vec4(0.97, 0.89, 0.45, 1.0);
const float UV_MUL = 3.0;
const float UV_DISPLACEMENT_STRENGTH = 0.15;
const float UV_DISPLACEMENT_SIZE = 5.0;
const float WATER_SPEED = 0.3;

// The loop, and the lattice's period in cells.
const float LOOP_SECONDS = 4096.0;
const float LATTICE = 64.0;
const float TWO_PI = 6.2831853;

// A cell's point as the table keeps it: each coordinate within the cell (it
// lies within -0.21 and 1.21) in four 8-bit channels, as a 32-bit count of
// steps of 2^-30 from -1, so that any driver that can draw into an RGBA8
// texture keeps it exactly: every coordinate of size 2^-7 or more is a whole
// number of steps. A table that rounds the points moves the picture: 16 bits
// a coordinate moved it by nearly 1/255 where a picture's lookup fell on an
// edge.
const float STEPS_PER_UNIT = 1073741824.0;

// The nearest-point search: a cell's point never lies further than
// sqrt(0.5) from the cell's centre; a cell is passed over only when it is
// further than that, plus a margin for rounding that grows with the
// coordinates, from p than the nearest point found.
const float POINT_REACH = 0.7071068;
const float SEARCH_MARGIN = 0.001;
const float SEARCH_MARGIN_PER_UNIT = 1e-6;
// The distance that ends a walk: past it no margin or rounding lets a cell
// count as near, so every walk ends after its far row or column.
const float WALK_END = 1e30;

// Set first thing in main, read by the functions below.
float aspect_ratio;
float absolute_ratio;
vec2 uv;
vec2 uvt;
float loop_phase;  // how far through the loop, 0 to 1

// Whole turns per loop for a cell of the lattice, 0 to 767 (up to the 1.18
// radians a second): an integer hash of the cell's place whose every product
// stays below 2^24, so that it is exact in single precision and the same on
// every driver; a rounded sine hash would put a cell's speed one turn apart
// from one driver to another.
float cellTurns(vec2 cell)
{
    float h = mod((cell.x + cell.y * LATTICE) * 1597.0 + 51.0, 4096.0);
    h = mod(h * h + floor(h / 64.0) * 13.0 + 7.0, 4096.0);
    h = mod(h * 2053.0 + floor(h / 64.0) * 29.0 + 11.0, 4096.0);
    h = mod(h * h + floor(h / 64.0) * 13.0 + 7.0, 4096.0);
    return floor(h * 0.1875);
}

vec2 hash2_2(vec2 p)
{
    return fract(sin(p * mat2x2(20.52, 24.1994, 70.291, 80.171)) * 492.194);
}

// Value noise of random 2-vectors on the unit grid, in [0, 1) per component.
vec2 noise2_2(vec2 p)
{
    vec2 w = smoothstep(0.0, 1.0, fract(p));
    vec2 c = floor(p);
    vec2 left = mix(hash2_2(c), hash2_2(c + vec2(0.0, 1.0)), w.y);
    vec2 right = mix(hash2_2(c + vec2(1.0, 0.0)), hash2_2(c + vec2(1.0, 1.0)), w.y);
    return mix(left, right, w.x);
}

// (sin a, cos a) from one reduction: a = k * pi/2 + x with |x| <= pi/4; then
// the quarter turns k swap and negate the pair. pi/2 is taken in four parts,
// the first three short enough that k times each, and each subtraction, are
// exact: x stays as exact as the driver's own sin and cos keep it while a is
// below about 6e6 (the angles here stay within one turn).
vec2 sinCos(float a)
{
    float k = floor(a * 0.63661977 + 0.5);
    float x = (((a - k * 1.5) - k * 0.0625) - k * 0.0078125) - k * 4.8382679e-4;
    float x2 = x * x;
    float s = x + x * x2 * (-1.6666655e-1 + x2 * (8.3321609e-3 + x2 * -1.9515296e-4));
    float c = 1.0 - 0.5 * x2 + x2 * x2 * (4.1666646e-2 + x2 * (-1.3887316e-3 + x2 * 2.4433157e-5));
    float quarter = k - 4.0 * floor(k * 0.25);
    vec2 turned = (quarter == 1.0 || quarter == 3.0) ? vec2(c, -s) : vec2(s, c);
    return quarter >= 2.0 ? -turned : turned;
}

// Where the point of a cell of the lattice lies in the cell, from its lower-left
// corner: it circles the cell's centre at a fixed radius, a whole number of
// turns a loop.
vec2 pointInCell(vec2 cell)
{
    vec2 q = hash2_2(cell) - 0.5;
    vec2 sc = sinCos(TWO_PI * fract(cellTurns(cell) * loop_phase));
    return mat2x2(sc.x, sc.y, -sc.y, sc.x) * q + 0.5;
}

#ifdef CELL_POINTS_INTO_TABLE
// Every step is exact: the coordinate is scaled by a power of two and split
// by powers of two, and the offset of -1 goes to the upper half alone.
vec4 packCoordinate(float v)
{
    float steps = floor(v * STEPS_PER_UNIT);
    float upper = floor(steps / 65536.0);
    float lower = steps - upper * 65536.0;
    vec2 halves = vec2(upper + 16384.0, lower);
    vec2 high = floor(halves / 256.0);
    return vec4(high.x, halves.x - 256.0 * high.x, high.y, halves.y - 256.0 * high.y) / 255.0;
}
#endif

#ifdef CELL_POINTS_FROM_TABLE
// Each half is read to within far less than a step and rounded to its whole
// number; both are scaled by powers of two, so only their sum rounds, and a
// coordinate comes back as it was.
float unpackCoordinate(vec4 texel)
{
    const vec2 BYTES = vec2(65280.0, 255.0);
    float upper = floor(dot(texel.rg, BYTES) + 0.5) - 16384.0;
    float lower = floor(dot(texel.ba, BYTES) + 0.5);
    return upper * (65536.0 / STEPS_PER_UNIT) + lower * (1.0 / STEPS_PER_UNIT);
}
#endif

// The point of the cell whose lower-left corner is root. The table repeats
// over the lattice's period, as the lattice does.
vec2 cellPoint(vec2 root)
{
#ifdef CELL_POINTS_FROM_TABLE
    vec2 at = vec2(mod(root.x, LATTICE) + 0.5, root.y + 0.5) / vec2(2.0 * LATTICE, LATTICE);
    vec2 point = vec2(unpackCoordinate(texture2D(cellPoints, at)),
                      unpackCoordinate(texture2D(cellPoints, at + vec2(0.5, 0.0))));
    return point + root;
#else
    return pointInCell(mod(root, LATTICE)) + root;
#endif
}

// Whether a cell whose centre lies dx and dy from p may hold a point nearer
// than sqrt(best).
bool mayHoldNearer(float dx, float dy, float best, float reach)
{
    float gap = sqrt(dx * dx + dy * dy) - reach;
    return gap < 0.0 || gap * gap < best;
}

// The next row or column of the walk: p's own (offset 0), then the neighbour
// on p's side (nearSide), then the far one, then the end.
float nextOffset(float offset, float nearSide)
{
    return offset == 0.0 ? nearSide : -nearSide;
}

float nextCentreDistance(float offset, float nearSide, float ownDistance)
{
    return offset == 0.0 ? 1.0 - ownDistance : (offset == nearSide ? 1.0 + ownDistance : WALK_END);
}

#ifdef CELL_POINTS_FROM_TABLE
// Distance from p to the nearest cell point in the 3 x 3 cells around it. A
// cell read from the table costs less than deciding whether to visit it, so
// all nine are visited (the compiler writes the loops out).
float voronoi(vec2 p)
{
    vec2 r0 = floor(p);
    float best = 4.0;
    for (int y = -1; y <= 1; y++) {
        for (int x = -1; x <= 1; x++) {
            vec2 toPoint = p - cellPoint(r0 + vec2(float(x), float(y)));
            best = min(best, dot(toPoint, toPoint));
        }
    }
    return sqrt(best);
}
#else
// Distance from p to the nearest cell point in the 3 x 3 cells around it.
// Rows and columns are visited nearest first, and a walk ends where no cell
// left on it can hold a nearer point. Whether to go on is decided from the
// cells before the current one, so the next cell's work need not wait for it.
float voronoi(vec2 p)
{
    vec2 r0 = floor(p);
    vec2 f = p - r0;
    vec2 ownDistance = abs(f - 0.5);
    vec2 nearSide = vec2(f.x < 0.5 ? -1.0 : 1.0, f.y < 0.5 ? -1.0 : 1.0);
    float reach = POINT_REACH + SEARCH_MARGIN + SEARCH_MARGIN_PER_UNIT * (abs(r0.x) + abs(r0.y));
    float best = 4.0;
    float y = 0.0;
    float dy = ownDistance.y;
    bool moreRows;
    do {
        float nextDy = nextCentreDistance(y, nearSide.y, ownDistance.y);
        float x = 0.0;
        bool moreColumns;
        do {
            vec2 r = r0 + vec2(x, y);
            float nextDx = nextCentreDistance(x, nearSide.x, ownDistance.x);
            x = nextOffset(x, nearSide.x);
            moreColumns = mayHoldNearer(nextDx, dy, best, reach);
            moreRows = mayHoldNearer(ownDistance.x, nextDy, best, reach);
            vec2 toPoint = p - cellPoint(r);
            best = min(best, dot(toPoint, toPoint));
        } while (moreColumns);
        dy = nextDy;
        y = nextOffset(y, nearSide.y);
    } while (moreRows);
    return sqrt(best);
}
#endif

// v to the power VORONOI_NOISE_POW, a whole number, as a product.
float noisePow(float v)
{
    float result = v;
    for (int i = 1; i < int(VORONOI_NOISE_POW); i++) {
        result *= v;
    }
    return result;
}

// A layer's drift in cells over a loop, in whole lattice periods: what
// hash2_2(vec2(size, alpha)) * WATER_SPEED * size * LOOP_SECONDS, rounded to
// periods, gives for the four layers, written out because every pixel would
// otherwise work out the same four hashes.
vec2 layerCellsPerLoop(int layer)
{
    return layer == 0 ? vec2(1024.0, 512.0)
        : (layer == 1 ? vec2(0.0, 320.0)
        : (layer == 2 ? vec2(1984.0, 640.0) : vec2(2752.0, 2688.0)));
}

// One layer of Voronoi noise, drifting its own way.
float layerNoise(vec2 p, int layer, float size, float alpha)
{
    vec2 offset = mod(layerCellsPerLoop(layer) * loop_phase, LATTICE);
    return noisePow(voronoi(p * size + offset) * alpha + VORONOI_BRIGHTNESS_ADD);
}

// LAYERS layers of ever finer, ever fainter Voronoi noise, normalised by the
// sum of the layer weights. Written out, not looped: the loop's bookkeeping
// cost a software rasteriser a fifth of the frame (the read-back mode, which
// would run all four layers with every pixel masked off, has a program of its
// own). The sizes still reach the layers as values that the compiler cannot
// fold, as they did through the loop: folded into p * size, they round
// otherwise, and the picture moved by up to 1/255.
float fractVoronoi(vec2 p, float sizeMul, float alphaMul)
{
    float size = step(0.0, gl_FragCoord.x);  // 1.0
    float alpha = 1.0;
    float noise = layerNoise(p, 0, size, alpha);
    size *= sizeMul;
    alpha *= alphaMul;
    noise += layerNoise(p, 1, size, alpha);
    size *= sizeMul;
    alpha *= alphaMul;
    noise += layerNoise(p, 2, size, alpha);
    size *= sizeMul;
    alpha *= alphaMul;
    noise += layerNoise(p, 3, size, alpha);
    return noise * ((1.0 - alphaMul) / (1.0 - pow(alphaMul, float(LAYERS))));
}

// The two pictures cross-faded over the middle half of textureTime, the
// lookup pulled towards the lower left where the water is bright.
vec4 getBackground(vec2 coord, float weight)
{
    vec2 t = coord / absolute_ratio - 0.02 * vec2(weight, weight);
    float level = 0.5;
    float k = smoothstep(level - 0.25, level + 0.25, textureTime);
    return k * texture2D(backgroundTexture2, t) + (1.0 - k) * texture2D(backgroundTexture, t);
}

// The wave parameters that mode 0 stored, normalsTextureSize texels across
// the viewport's width, read between texels where this pixel falls.
vec4 storedWaves()
{
    return texture2D(normalsTexture, uvt * (normalsTextureSize / 1024.0));
}

#ifdef CELL_POINTS_INTO_TABLE
// Every cell's point at this time: x on the left half, y on the right.
void main()
{
    loop_phase = iTime / LOOP_SECONDS;
    vec2 texel = floor(gl_FragCoord.xy);
    vec2 point = pointInCell(vec2(mod(texel.x, LATTICE), texel.y));
    gl_FragColor = packCoordinate(texel.x < LATTICE ? point.x : point.y);
}
#else
void main()
{
    vec2 viewport = vec2(viewportWidth, viewportHeight);
    aspect_ratio = viewportWidth / viewportHeight;
    uv = (2.0 * gl_FragCoord.xy - viewport) / viewportWidth;
    uvt = gl_FragCoord.xy / viewport;
    uvt.y /= aspect_ratio;
    absolute_ratio = aspect_ratio >= 1.0 ? aspect_ratio : 1.0 / aspect_ratio;
    loop_phase = iTime / LOOP_SECONDS;

    // Read in every mode, as a software rasteriser would anyway; modes 0 and 1
    // then work the parameters out.
    vec4 stored = storedWaves();
    float res = stored.r;
    float fractVoro = stored.g;
#ifndef WAVES_READ_BACK
    if (renderMode != 2) {
        uv *= UV_MUL;
        vec2 displacement = noise2_2(uv * UV_DISPLACEMENT_SIZE) * UV_DISPLACEMENT_STRENGTH;
        fractVoro = fractVoronoi(uv + displacement, SIZE_MUL, ALPHA_MUL);
        res = smoothstep(-0.2, 0.3, fractVoro);
        if (renderMode == 0) {
            gl_FragColor = vec4(res, fractVoro, 0.0, 0.0);
            return;
        }
    }
#endif

    vec4 b = getBackground(uvt, res);
    gl_FragColor = 0.7 * (res * WATER_COLOR + fractVoro) + 0.5 * b;
}
#endif
//~
