// The water's table of cell points: where each cell's point of the 64 x 64
// lattice lies at the frame's time, in two RGBA8 texels, drawn by the water
// text's own table pass into a texture through a framebuffer object, so that
// the driver's hash and turn place every point, as they would per pixel.
#pragma once
#include "gfx/gl.h"
#include "scene/texture_framebuffer.h"
#include "scene/viewport_quad.h"

class GLFWProgram;

class CellPointTable {
  public:
    // Texels: the points' x in the left half, their y in the right, a texel a
    // cell of the lattice (the shader's LATTICE cells a side).
    static constexpr int kWidth = 128;
    static constexpr int kHeight = 64;

    CellPointTable() : target_(kWidth, kHeight, GL_RGBA8, GL_RGBA) {}

    // Draws the points at `shaderTime` with `tablePass` (the water text built
    // with CELL_POINTS_INTO_TABLE), unless the table holds that time already.
    // When it draws, it leaves its framebuffer bound, a kWidth x kHeight viewport
    // and `tablePass` current, and says true.
    bool fill(GLFWProgram& tablePass, float shaderTime);
    GLuint texture() const { return target_.texture(); }
    // Whether the driver can draw into it; leaves its framebuffer bound.
    bool complete() const { return target_.complete(); }
    GLuint framebuffer() const { return target_.framebuffer(); }

  private:
    TextureFramebuffer target_;
    ViewportQuad quad_;
    bool filled_ = false;
    float filledTime_ = 0.0f;
};
