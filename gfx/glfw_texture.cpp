// Bitmap textures (see glfw_texture.h).
#include "gfx/glfw_texture.h"

#include "gfx/bitmap_pixels.h"

int textureLevelCount(int size) {
    int levels = 0;
    while (size > 1) {
        size >>= 1;
        ++levels;
    }
    return levels > 0 ? levels : 1;
}

void uploadBitmapRows(const unsigned char* bitmap, int width, int height) {
    const BitmapRows rows = bitmapRows(bitmap);
    // Stored rows are padded to 4 bytes, which is what an alignment of 4 skips.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (!rows.topDown) {
        // Bottom row first, as OpenGL takes rows: the whole picture at once.
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE,
                        rows.first);
    } else {
        for (int row = 0; row < height; ++row) {
            const unsigned char* stored =
                rows.first + rows.stride * static_cast<std::size_t>(height - 1 - row);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, row, width, 1, GL_BGR, GL_UNSIGNED_BYTE, stored);
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

GLFWTexture::GLFWTexture(std::uint16_t bitmapId, int size) {
    const unsigned char* bitmap = findCheckedBitmap(bitmapId, size, size);
    glGenTextures(1, &name_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only level 0 is sampled, so it is the only one made.
    glTexStorage2D(GL_TEXTURE_2D, 1, kPictureTextureFormat, size, size);
    uploadBitmapRows(bitmap, size, size);
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
