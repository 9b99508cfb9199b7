// Bitmap textures (see glfw_texture.h).
#include "gfx/glfw_texture.h"

#include <cstddef>
#include <memory>

#include "gfx/bitmap_pixels.h"

int textureLevelCount(int size) {
    int levels = 0;
    while (size > 1) {
        size >>= 1;
        ++levels;
    }
    return levels > 0 ? levels : 1;
}

GLFWTexture::GLFWTexture(std::uint16_t bitmapId, int size) {
    glGenTextures(1, &name_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only level 0 is ever filled or sampled; the others are allocated unused.
    glTexStorage2D(GL_TEXTURE_2D, textureLevelCount(size), GL_RGBA32F, size, size);
    // Left uninitialised: every element is written before the upload.
    std::unique_ptr<float[]> pixels(new float[static_cast<std::size_t>(size) * size * 4]);
    readBitmapResource(pixels.get(), bitmapId, size, size);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size, size, GL_RGBA, GL_FLOAT, pixels.get());
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
