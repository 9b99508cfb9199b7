// The off-screen target: the pattern's two parameters (res, fractVoro) drawn
// into its lower-left texels by the shader's mode 0, read back with bilinear
// filtering by the window's pass. Half floats where the driver can draw into
// them: 8 bits a channel would round fractVoro to steps that the colour
// shows at 0.7/255 and clip it at 1. Every pass into it clears it first.
#pragma once
#include <memory>

#include "scene/texture_framebuffer.h"

class NormalsTarget : public TextureFramebuffer {
  public:
    // A side x side target of `internalFormat`; its framebuffer is left bound.
    NormalsTarget(int side, GLint internalFormat);

    // RGBA16F, else RGBA8 where the driver cannot draw into half floats; null
    // where it can draw into neither. Leaves a framebuffer bound.
    static std::unique_ptr<NormalsTarget> make(int side);
};
