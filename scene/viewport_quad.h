// Two triangles over the whole viewport, fed to a program's "position"
// attribute: what the passes that draw with a program of their own, outside
// the scene's drawable, draw.
#pragma once
#include "gfx/gl.h"

class GLFWProgram;

class ViewportQuad {
  public:
    ViewportQuad();
    ~ViewportQuad();
    ViewportQuad(const ViewportQuad&) = delete;
    ViewportQuad& operator=(const ViewportQuad&) = delete;

    // Draws with `program`, which must be current; leaves its vertex buffer bound
    // and the attribute array disabled again.
    void draw(GLFWProgram& program) const;

  private:
    GLuint buffer_ = 0;
};
