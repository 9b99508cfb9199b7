#version 120
// The water's fragment stage as a straight transcription of its formulas,
// line for line, kept for the benchmarks as the reference that the shipped
// text (shaders/water.frag) is timed and compared against. Not shipped.
//
// renderMode 0: the wave parameters (res, fractVoro) into the off-screen target
// renderMode 1: the whole picture at full resolution
// renderMode 2: the whole picture, with the wave parameters read back from mode 0

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

// The water loops every LOOP_SECONDS: whole turns per loop for every cell
// point, whole lattice periods of drift for every layer, and a lattice of
// cell points that repeats every LATTICE cells.
const float LOOP_SECONDS = 4096.0;
const float LATTICE = 64.0;
const float TWO_PI = 6.2831853;

// Set first thing in main, read by the functions below.
float aspect_ratio;
float absolute_ratio;
vec2 uv;
vec2 uvt;

// Whole turns per loop for a cell of the lattice, 0 to 767, from whole numbers only.
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

// The point of the cell whose lower-left corner is root (cell within the
// lattice's period): it circles the cell's centre at a fixed radius as the
// angle turns.
vec2 voronoiPointFromRoot(vec2 root, vec2 cell, float angle)
{
    vec2 q = hash2_2(cell) - 0.5;
    float s = sin(angle);
    float c = cos(angle);
    q = mat2x2(s, c, -c, s) * q;
    return q + root + 0.5;
}

// Distance from p to the nearest cell point in the 3 x 3 cells around it.
float voronoi(vec2 p)
{
    vec2 r0 = floor(p);
    float minDist = 2.0;
    for (float x = -1.0; x <= 1.0; x += 1.0) {
        for (float y = -1.0; y <= 1.0; y += 1.0) {
            vec2 r = r0 + vec2(x, y);
            vec2 cell = mod(r, LATTICE);
            float angle = TWO_PI * fract(cellTurns(cell) * iTime / LOOP_SECONDS);
            float d = distance(p, voronoiPointFromRoot(r, cell, angle));
            if (d < minDist) {
                minDist = d;
            }
        }
    }
    return minDist;
}

// Layers of ever finer, ever fainter Voronoi noise, each drifting its own way,
// normalised by the sum of the layer weights.
float fractVoronoi(vec2 p, float sizeMul, float alphaMul, int layers)
{
    float noise = 0.0;
    float size = 1.0;
    float alpha = 1.0;
    for (int i = 0; i < layers; i++) {
        vec2 cellsPerLoop = hash2_2(vec2(size, alpha)) * WATER_SPEED * size * LOOP_SECONDS;
        cellsPerLoop = floor(cellsPerLoop / LATTICE + 0.5) * LATTICE;
        vec2 offset = mod(cellsPerLoop * iTime / LOOP_SECONDS, LATTICE);
        noise += pow(voronoi(p * size + offset) * alpha + VORONOI_BRIGHTNESS_ADD,
                     VORONOI_NOISE_POW);
        size *= sizeMul;
        alpha *= alphaMul;
    }
    noise *= (1.0 - alphaMul) / (1.0 - pow(alphaMul, float(layers)));
    return noise;
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

void main()
{
    vec2 viewport = vec2(viewportWidth, viewportHeight);
    aspect_ratio = viewportWidth / viewportHeight;
    uv = (2.0 * gl_FragCoord.xy - viewport) / viewportWidth;
    uvt = gl_FragCoord.xy / viewport;
    uvt.y /= aspect_ratio;
    absolute_ratio = aspect_ratio >= 1.0 ? aspect_ratio : 1.0 / aspect_ratio;

    float res;
    float fractVoro;
    if (renderMode == 2) {
        float texture_ratio = normalsTextureSize / 1024.0;
        vec4 n = texture2D(normalsTexture, uvt * texture_ratio / absolute_ratio);
        res = n.r;
        fractVoro = n.g;
    } else {
        uv *= UV_MUL;
        vec2 displacement = noise2_2(uv * UV_DISPLACEMENT_SIZE) * UV_DISPLACEMENT_STRENGTH;
        fractVoro = fractVoronoi(uv + displacement, SIZE_MUL, ALPHA_MUL, LAYERS);
        res = smoothstep(-0.2, 0.3, fractVoro);
        if (renderMode == 0) {
            gl_FragColor = vec4(res, fractVoro, 0.0, 0.0);
            return;
        }
    }

    vec4 b = getBackground(uvt, res);
    gl_FragColor = 0.7 * (res * WATER_COLOR + fractVoro) + 0.5 * b;
}
//~
