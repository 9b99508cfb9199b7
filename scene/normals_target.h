// The off-screen target of the reduced path: an RGB8 texture on a framebuffer
// object of its own, into whose lower-left S x S texels the pattern's two
// parameters are drawn, to be read back texel for texel by the window's pass.
// Every pass into it clears it first.
#pragma once
#include "scene/texture_framebuffer.h"

class NormalsTarget : public TextureFramebuffer {
  public:
    // A side x side target; its framebuffer is left bound.
    explicit NormalsTarget(int side) : TextureFramebuffer(side, side, GL_RGB, GL_RGB) {}
};
