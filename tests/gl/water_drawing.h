// Drawing the water program in tests as the renderer will: a quad over the
// whole viewport from a vertex buffer of its own, and the uniforms that the
// renderer and the drawable set before each draw.
#pragma once
#include "gfx/gl.h"
#include "gfx/glfw_program.h"
#include "tests/gl/water_reference.h"

class FullViewportQuad {
  public:
    FullViewportQuad();
    ~FullViewportQuad();
    FullViewportQuad(const FullViewportQuad&) = delete;
    FullViewportQuad& operator=(const FullViewportQuad&) = delete;

    // Uses the program, points its "position" and "position_tex" at the quad and draws.
    void draw(GLFWProgram& program) const;

  private:
    GLuint buffer_ = 0;
};

// iTime, the viewport size, textureTime, normalsTextureSize and renderMode, on
// the program that is current.
void setWaterUniforms(GLFWProgram& program, const WaterInputs& inputs, int renderMode);
