// One OpenGL texture of a floor picture: 8 bits per channel, one level (the
// only one sampled), linear filtering and repeat wrapping (the water's
// displaced lookups cross the edges), filled from decoded rows a band at a
// time. Needs a current context with the entry points loaded.
#pragma once
#include "gfx/gl.h"

class GLFWTexture {
  public:
    // A new texture of size x size pixels (size a power of two up to 2048),
    // its contents undefined until uploaded; left bound to GL_TEXTURE_2D on
    // unit 0. Immutable storage where the context has it (glTexStorage2D
    // loaded), else glTexImage2D.
    explicit GLFWTexture(int size);
    ~GLFWTexture();
    GLFWTexture(const GLFWTexture&) = delete;
    GLFWTexture& operator=(const GLFWTexture&) = delete;

    GLuint name() const { return name_; }
    int size() const { return size_; }

    // Fills rows `first` to `first + count - 1` (from the bottom) from
    // `rows`: those rows of blue, green, red bytes, bottom row first,
    // unpadded. Leaves the texture bound to GL_TEXTURE_2D on unit 0.
    void uploadRows(const unsigned char* rows, int first, int count);

  private:
    GLuint name_ = 0;
    int size_ = 0;
};

// The storage a picture gets: each byte b of the decoded rows samples as b / 255.
constexpr GLenum kPictureTextureFormat = GL_RGB8;

// How every picture is sampled, set on the texture bound to GL_TEXTURE_2D:
// repeat wrapping (the water's displaced lookups cross the edges), linear
// filtering, and level 0 alone.
void setPictureSampling();
