// One OpenGL texture filled from a bitmap resource: 8 bits per channel, one
// level (the only one sampled), linear filtering and repeat wrapping (the
// water's displaced lookups cross the edges). The bitmap's rows go to OpenGL
// as they are stored, a strip at a time through one small buffer, so neither
// a copy of the picture nor the resource's own pages stay in memory.
// Needs a current context with the entry points loaded.
#pragma once
#include <cstdint>

#include "gfx/bitmap_pixels.h"
#include "gfx/gl.h"

class GLFWTexture {
  public:
    // Reads bitmap `bitmapId` (size x size pixels, size a power of two up to
    // 2048) into a new texture, left bound to GL_TEXTURE_2D on unit 0.
    GLFWTexture(std::uint16_t bitmapId, int size);
    ~GLFWTexture();
    GLFWTexture(const GLFWTexture&) = delete;
    GLFWTexture& operator=(const GLFWTexture&) = delete;

    GLuint name() const { return name_; }

  private:
    GLuint name_ = 0;
};

// The storage a picture gets: each byte b of the bitmap samples as b / 255.
constexpr GLenum kPictureTextureFormat = GL_RGB8;

// Stored rows `firstStored` to `firstStored + count - 1` of a width x height
// bitmap laid out as `layout` says, found one after the other at `stored`,
// into level 0 of the texture bound to GL_TEXTURE_2D (storage already made),
// upright: the picture's bottom row at t = 0.
void uploadStoredRows(const unsigned char* stored, const BitmapRows& layout, int width, int height,
                      int firstStored, int count);

// Levels of a full chain for a size x size texture: log2(size), and 1 for
// size 1. Pictures use one level; the float pictures that the tests and
// benchmarks compare against keep the full chain they used to have.
int textureLevelCount(int size);
