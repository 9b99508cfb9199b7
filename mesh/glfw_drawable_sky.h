// The full-screen quad that carries the water shader: position, texture
// coordinate and normal feed the program; time and viewport size are its
// per-frame uniforms.
#pragma once
#include "mesh/glfw_drawable_object.h"

class GLFWDrawableSky final : public GLFWDrawableObject {
  public:
    using GLFWDrawableObject::GLFWDrawableObject;
    ~GLFWDrawableSky() = default;

  protected:
    void bindAttributes() override;
    void setFrameUniforms(const FrameClock& frame) override;
    void beforeDraw() override {}
};
