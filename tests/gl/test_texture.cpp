// A texture whose every texel the test knows (see test_texture.h).
#include "tests/gl/test_texture.h"

#include <algorithm>
#include <cmath>

#include "tests/support/bitmap_pixels.h"
#include "gfx/glfw_texture.h"
#include "platform/failure.h"
#include "tests/support/bitmap_floats.h"

#include <gtest/gtest.h>

namespace {

int wrap(int index, int size) {
    return ((index % size) + size) % size;
}

Rgba blend(const Rgba& a, const Rgba& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

}  // namespace

TestTexture::TestTexture(int width, int height, GLenum internalFormat, GLenum filter,
                         const std::function<Rgba(int, int)>& texelAt)
    : width_(width), height_(height), filter_(filter) {
    std::vector<float> upload;
    upload.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            Rgba t = texelAt(i, j);
            // An RGB target keeps no alpha and answers 1 for it.
            if (internalFormat == GL_RGB8) {
                t.a = 1.0;
            }
            texels_.push_back(t);
            for (double channel : {t.r, t.g, t.b, t.a}) {
                upload.push_back(static_cast<float>(channel));
            }
        }
    }
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    glTexStorage2D(GL_TEXTURE_2D, 1, internalFormat, width, height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_FLOAT, upload.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

TestTexture::~TestTexture() {
    glDeleteTextures(1, &name_);
}

const Rgba& TestTexture::texel(int i, int j) const {
    return texels_[static_cast<std::size_t>(wrap(j, height_)) * width_ + wrap(i, width_)];
}

Rgba TestTexture::sample(Point2 c) const {
    double u = c.x * width_;
    double v = c.y * height_;
    if (filter_ == GL_NEAREST) {
        return texel(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
    }
    u -= 0.5;
    v -= 0.5;
    int i = static_cast<int>(std::floor(u));
    int j = static_cast<int>(std::floor(v));
    double a = u - i;
    double b = v - j;
    return blend(blend(texel(i, j), texel(i + 1, j), a),
                 blend(texel(i, j + 1), texel(i + 1, j + 1), a), b);
}

std::unique_ptr<GLFWTexture> makePictureTexture(std::uint16_t resourceId, int size) {
    Failure failure;
    const unsigned char* bitmap = findCheckedBitmap(resourceId, size, size, failure);
    EXPECT_FALSE(failure.happened());
    const BitmapRows rows = bitmapRows(bitmap);
    EXPECT_FALSE(rows.topDown);
    EXPECT_EQ(rows.stride, static_cast<std::size_t>(size) * 3);
    auto texture = std::make_unique<GLFWTexture>(size);
    texture->uploadRows(rows.first, 0, size);
    return texture;
}

GLuint makeFloatPictureTexture(std::uint16_t resourceId, int size) {
    Failure failure;
    const unsigned char* bitmap = findCheckedBitmap(resourceId, size, size, failure);
    EXPECT_FALSE(failure.happened());
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexStorage2D(GL_TEXTURE_2D, textureLevelCount(size), GL_RGBA32F, size, size);
    const int stripRows = std::min(size, 128);
    std::vector<float> strip(static_cast<std::size_t>(size) * stripRows * 4);
    for (int row = 0; row < size; row += stripRows) {
        const int rows = std::min(stripRows, size - row);
        convertBitmapRows(bitmap, size, size, row, rows, strip.data());
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, size, rows, GL_RGBA, GL_FLOAT, strip.data());
    }
    setPictureSampling();
    return name;
}
