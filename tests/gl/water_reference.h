// A CPU reference of the water shaders' formulas for comparing rendered pixels:
// double precision throughout, except that each hash forms its sin argument in
// single precision exactly as the shader does (see water_reference.cpp).
#pragma once

struct WaterInputs {
    double iTime = 0.0;
    double viewportWidth = 64.0;
    double viewportHeight = 64.0;
    double textureTime = -1.0;
    double normalsTextureSize = 256.0;
};

struct Point2 {
    double x;
    double y;
};

struct Rgba {
    double r;
    double g;
    double b;
    double a;
};

// The values main sets first, at one pixel centre (origin at the lower left).
struct FragmentFrame {
    double aspectRatio;
    double absoluteRatio;
    Point2 uv;
    Point2 uvt;
};

struct WaveParameters {
    double res;
    double fractVoro;
};

FragmentFrame fragmentFrame(double fragX, double fragY, const WaterInputs& inputs);

// The pattern of modes 0 and 1 at that pixel.
WaveParameters referenceWave(const FragmentFrame& frame, double iTime);

// The weight of backgroundTexture2 in the cross-fade.
double crossFadeWeight(double textureTime);

// Where getBackground looks up both pictures, before the textures repeat.
Point2 backgroundCoordinates(const FragmentFrame& frame, double displacementWeight);

// Where mode 2 reads the normals texture, in texture coordinates: the pattern
// normalsTextureSize texels across the viewport's width.
Point2 normalsCoordinates(const FragmentFrame& frame, double normalsTextureSize);

// The colour of modes 1 and 2 from the wave parameters and the cross-faded background.
Rgba waterColour(const WaveParameters& wave, const Rgba& background);

double referenceSmoothstep(double edge0, double edge1, double x);
