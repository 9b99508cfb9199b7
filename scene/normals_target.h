// The off-screen target of the reduced path: an RGB8 texture on a framebuffer
// object of its own, into whose lower-left S x S texels the pattern's two
// parameters are drawn, to be read back texel for texel by the window's pass.
#pragma once
#include "gfx/gl.h"

class NormalsTarget {
  public:
    // A side x side texture with nearest filtering, attached to a new
    // framebuffer, which is left bound. Its texels start undefined: every pass
    // into it clears it first.
    explicit NormalsTarget(int side);
    ~NormalsTarget();
    NormalsTarget(const NormalsTarget&) = delete;
    NormalsTarget& operator=(const NormalsTarget&) = delete;

    void bind() const;
    GLuint framebuffer() const { return framebuffer_; }
    GLuint texture() const { return texture_; }
    // Whether the driver can draw into it; leaves its framebuffer bound.
    bool complete() const;

  private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
};
