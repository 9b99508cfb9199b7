// The window's pass: the water's picture from the wave parameters that
// mode 0 stored in the off-screen target, drawn with the
// fragment text built with WAVES_READ_BACK. A software rasteriser runs the
// code of both sides of every "if", so the one program for every mode paid
// for the pattern here with no pixel wanting it.
#pragma once
#include "scene/viewport_quad.h"

class GLFWProgram;

class WavesReadBack {
  public:
    // Into the bound framebuffer's width x height viewport, with the textures
    // bound on the water's units (water_units.h). `patternAcross` is how many
    // texels the stored pattern has across the viewport's width; `textureTime`
    // the cross-fade's. Leaves `program` current.
    void draw(GLFWProgram& program, int width, int height, int patternAcross,
              float textureTime) const;

  private:
    ViewportQuad quad_;
};
