// One OpenGL texture filled from a bitmap resource: single-precision RGBA
// storage, sampled from its first level only, with linear filtering and
// repeat wrapping (the water's displaced lookups cross the edges).
// Needs a current context with the entry points loaded.
#pragma once
#include "gfx/gl.h"

class GLFWTexture {
  public:
    // A new texture of size x size pixels (size a power of two up to 2048),
    // its contents undefined until uploaded; left bound to GL_TEXTURE_2D on unit 0.
    explicit GLFWTexture(int size);
    // The same, filled from `bitmap`, a bitmap resource that passed
    // checkBitmap as size x size pixels.
    GLFWTexture(const unsigned char* bitmap, int size);
    ~GLFWTexture();
    GLFWTexture(const GLFWTexture&) = delete;
    GLFWTexture& operator=(const GLFWTexture&) = delete;

    GLuint name() const { return name_; }
    int size() const { return size_; }

    // Fills `rowCount` rows from `firstRow` on (row 0 is the picture's bottom
    // row) from `bitmap`, as the constructor that takes one would; leaves the
    // texture bound to GL_TEXTURE_2D on unit 0.
    void upload(const unsigned char* bitmap, int firstRow, int rowCount);

  private:
    GLuint name_ = 0;
    int size_ = 0;
};

// Levels of storage for a size x size texture: log2(size), and 1 for size 1.
int textureLevelCount(int size);
