// A texture whose every texel the test knows, with a CPU model of the lookup
// the shader makes in it (repeat wrap; nearest, or bilinear at texel centres).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx/gl.h"
#include "gfx/glfw_texture.h"
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

// Bitmap resource `resourceId` (size x size) in a new GL_RGBA32F texture with
// the full chain of levels, level 0 filled with the floats of
// convertBitmapRows, repeat wrap, linear filter, MAX_LEVEL 0: the way the
// pictures were stored before they were kept in 8 bits per channel, and the
// reference that GLFWTexture must sample alike. The caller deletes it.
GLuint makeFloatPictureTexture(std::uint16_t resourceId, int size);

// The same bitmap resource (size x size, rows unpadded) in a GLFWTexture, as
// the program stores a decoded picture.
std::unique_ptr<GLFWTexture> makePictureTexture(std::uint16_t resourceId, int size);
