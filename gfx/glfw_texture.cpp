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

GLFWTexture::GLFWTexture(const unsigned char* bitmap, int size) {
    glGenTextures(1, &name_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only level 0 is ever filled or sampled; the others are allocated unused.
    glTexStorage2D(GL_TEXTURE_2D, textureLevelCount(size), GL_RGBA32F, size, size);
    const int stripRows = std::min(size, kStripRows);
    // Left uninitialised: every element is written before it is uploaded.
    std::unique_ptr<float[]> strip(new float[static_cast<std::size_t>(size) * stripRows * 4]);
    for (int row = 0; row < size; row += stripRows) {
        const int rows = std::min(stripRows, size - row);
        convertBitmapRows(bitmap, size, size, row, rows, strip.get());
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, size, rows, GL_RGBA, GL_FLOAT, strip.get());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

GLFWTexture::~GLFWTexture() {
    glDeleteTextures(1, &name_);
}
