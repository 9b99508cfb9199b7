// A texture whose every texel the test knows, with a CPU model of the lookup
// the shader makes in it (repeat wrap; nearest, or bilinear at texel centres).
#pragma once
#include <functional>
#include <vector>

#include "gfx/gl.h"
#include "tests/gl/water_reference.h"

class TestTexture {
  public:
    // Texel (i, j) = texelAt(i, j), i from the left, j from the bottom. The
    // values must be exact in `internalFormat` (for RGB8: multiples of 1/255).
    TestTexture(int width, int height, GLenum internalFormat, GLenum filter,
                const std::function<Rgba(int i, int j)>& texelAt);
    ~TestTexture();
    TestTexture(const TestTexture&) = delete;
    TestTexture& operator=(const TestTexture&) = delete;

    GLuint name() const { return name_; }
    const Rgba& texel(int i, int j) const;
    // What texture2D returns at these coordinates.
    Rgba sample(Point2 coordinates) const;

  private:
    int width_;
    int height_;
    GLenum filter_;
    std::vector<Rgba> texels_;
    GLuint name_ = 0;
};
