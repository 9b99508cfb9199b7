// Bitmap textures (see glfw_texture.h).
#include "gfx/glfw_texture.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "gfx/bitmap_pixels.h"

namespace {
// Rows converted and uploaded at a time. A strip of 4 MiB is reused while it is
// still in the cache, where a whole 64 MiB picture would cost fresh pages.
const int kStripRows = 128;
}  // namespace

int textureLevelCount(int size) {
    int levels = 0;
    while (size > 1) {
        size >>= 1;
        ++levels;
    }
    return levels > 0 ? levels : 1;
}

GLFWTexture::GLFWTexture(int size) : size_(size) {
    glGenTextures(1, &name_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only level 0 is ever filled or sampled; the others are allocated unused.
    glTexStorage2D(GL_TEXTURE_2D, textureLevelCount(size), GL_RGBA32F, size, size);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

GLFWTexture::GLFWTexture(const unsigned char* bitmap, int size) : GLFWTexture(size) {
    upload(bitmap, 0, size);
}

void GLFWTexture::upload(const unsigned char* bitmap, int firstRow, int rowCount) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    const int stripRows = std::min(rowCount, kStripRows);
    // Left uninitialised: every element is written before it is uploaded.
    std::unique_ptr<float[]> strip(new float[static_cast<std::size_t>(size_) * stripRows * 4]);
    for (int row = firstRow; row < firstRow + rowCount; row += stripRows) {
        const int rows = std::min(stripRows, firstRow + rowCount - row);
        convertBitmapRows(bitmap, size_, size_, row, rows, strip.get());
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, size_, rows, GL_RGBA, GL_FLOAT, strip.get());
    }
}

GLFWTexture::~GLFWTexture() {
    glDeleteTextures(1, &name_);
}
