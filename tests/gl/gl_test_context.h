// An OpenGL context for tests without a display: Mesa through EGL's
// surfaceless platform, with the program's entry points loaded from it.
// Tests draw into framebuffer objects of their own.
#pragma once
#include <gtest/gtest.h>

#include "gfx/gl.h"

class GLTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
};

// A colour target of the given size (RGBA8 unless stated) bound as the framebuffer.
struct OffscreenTarget {
    OffscreenTarget(int width, int height, GLenum internalFormat = GL_RGBA8);
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    void bind() const;
    // Reads the whole target as RGBA floats, bottom row first.
    std::vector<float> readPixels() const;

    int width;
    int height;
    GLuint framebuffer = 0;
    GLuint texture = 0;
};
