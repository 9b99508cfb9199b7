// One OpenGL texture filled from a bitmap resource: 8 bits per channel, one
// level (the only one sampled), linear filtering and repeat wrapping (the
// water's displaced lookups cross the edges). The bitmap's rows go to OpenGL
// as they are stored, a strip at a time through one small buffer, so neither
// a copy of the picture nor the resource's own pages stay in memory.
// Needs a current context with the entry points loaded.
#pragma once
#include <vector>

#include "gfx/bitmap_pixels.h"
#include "gfx/gl.h"
#include "platform/resources.h"

class GLFWTexture {
  public:
    // A new texture of size x size pixels (size a power of two up to 2048),
    // its contents undefined until uploaded; left bound to GL_TEXTURE_2D on
    // unit 0. Immutable storage where the context has it (glTexStorage2D
    // loaded), else glTexImage2D.
    explicit GLFWTexture(int size);
    // The same, filled from `bitmap`, a bitmap resource that passed
    // checkBitmap as size x size pixels.
    GLFWTexture(const ResourceData& bitmap, int size);
    ~GLFWTexture();
    GLFWTexture(const GLFWTexture&) = delete;
    GLFWTexture& operator=(const GLFWTexture&) = delete;

    GLuint name() const { return name_; }
    int size() const { return size_; }

    // Fills the bitmap's stored rows `firstStored` to `firstStored + count - 1`
    // from `bitmap` (checked as for the constructor), through `staging`, which
    // it sizes as it needs and which callers may keep for the next call. Leaves
    // the texture bound to GL_TEXTURE_2D on unit 0.
    void upload(const ResourceData& bitmap, int firstStored, int count,
                std::vector<unsigned char>& staging);

    // Fills rows `first` to `first + count - 1` (from the bottom) from
    // `rows`: the whole picture's rows of blue, green, red bytes, bottom row
    // first, unpadded. Leaves the texture bound to GL_TEXTURE_2D on unit 0.
    void uploadRows(const unsigned char* rows, int first, int count);

  private:
    GLuint name_ = 0;
    int size_ = 0;
};

// The storage a picture gets: each byte b of the bitmap samples as b / 255.
constexpr GLenum kPictureTextureFormat = GL_RGB8;

// Stored rows `firstStored` to `firstStored + count - 1` of a width x height
// bitmap laid out as `layout` says, found one after the other at `stored`,
// into level 0 of the texture bound to GL_TEXTURE_2D (storage already made),
// upright: the picture's bottom row at t = 0.
void uploadStoredRows(const unsigned char* stored, const BitmapRows& layout, int width, int height,
                      int firstStored, int count);

// How every picture is sampled, set on the texture bound to GL_TEXTURE_2D:
// repeat wrapping (the water's displaced lookups cross the edges), linear
// filtering, and level 0 alone.
void setPictureSampling();
