// A texture on a framebuffer object of its own, the one colour attachment
// that passes draw into: the off-screen target and the cell point table are
// each one. Only calls that OpenGL 2.1 with framebuffer objects offers.
#pragma once
#include "gfx/gl.h"

class TextureFramebuffer {
  public:
    // A width x height texture of `internalFormat` (its texels given as
    // `format` bytes), nearest filtering and repeating at its edges, attached
    // to a new framebuffer, which is left bound. Its texels start undefined.
    TextureFramebuffer(int width, int height, GLint internalFormat, GLenum format);
    ~TextureFramebuffer();
    TextureFramebuffer(const TextureFramebuffer&) = delete;
    TextureFramebuffer& operator=(const TextureFramebuffer&) = delete;

    void bind() const;
    GLuint framebuffer() const { return framebuffer_; }
    GLuint texture() const { return texture_; }
    // Whether the driver can draw into it; leaves its framebuffer bound.
    bool complete() const;

  private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
};
