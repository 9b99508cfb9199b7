// Bitmap textures (see glfw_texture.h).
#include "gfx/glfw_texture.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "gfx/bitmap_pixels.h"
#include "platform/resources.h"

namespace {
// Rows read and uploaded at a time: 768 KiB of a 2048-pixel picture, reused.
const int kStripRows = 128;
}  // namespace

void uploadStoredRows(const unsigned char* stored, const BitmapRows& layout, int width, int height,
                      int firstStored, int count) {
    // Stored rows are padded to 4 bytes, which is what an alignment of 4 skips.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (!layout.topDown) {
        // Bottom row first, as OpenGL takes rows: all of them in one call.
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, firstStored, width, count, GL_BGR, GL_UNSIGNED_BYTE,
                        stored);
    } else {
        for (int i = 0; i < count; ++i) {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, height - 1 - (firstStored + i), width, 1, GL_BGR,
                            GL_UNSIGNED_BYTE, stored + layout.stride * static_cast<std::size_t>(i));
        }
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

GLFWTexture::GLFWTexture(int size) : size_(size) {
    glGenTextures(1, &name_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Only level 0 is sampled, so it is the only one made. A context without
    // immutable storage makes the same level the older way.
    if (glTexStorage2D != nullptr) {
        glTexStorage2D(GL_TEXTURE_2D, 1, kPictureTextureFormat, size, size);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, kPictureTextureFormat, size, size, 0, GL_BGR,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    setPictureSampling();
}

void setPictureSampling() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

GLFWTexture::GLFWTexture(const ResourceData& bitmap, int size) : GLFWTexture(size) {
    std::vector<unsigned char> staging;
    upload(bitmap, 0, size, staging);
}

void GLFWTexture::upload(const ResourceData& bitmap, int firstStored, int count,
                         std::vector<unsigned char>& staging) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    const BitmapRows layout = bitmapRows(bitmap.bytes);
    const std::size_t rowsOffset = static_cast<std::size_t>(layout.first - bitmap.bytes);
    const int stripRows = std::min(count, kStripRows);
    staging.resize(layout.stride * static_cast<std::size_t>(stripRows));
    for (int row = firstStored; row < firstStored + count; row += stripRows) {
        const int rows = std::min(stripRows, firstStored + count - row);
        copyResourceBytes(bitmap, rowsOffset + layout.stride * static_cast<std::size_t>(row),
                          layout.stride * static_cast<std::size_t>(rows), staging.data());
        uploadStoredRows(staging.data(), layout, size_, size_, row, rows);
    }
}

void GLFWTexture::uploadRows(const unsigned char* rows, int first, int count) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    const std::size_t stride = static_cast<std::size_t>(size_) * 3;
    // Bottom row first and a multiple of 4 bytes a row: one call, as stored.
    uploadStoredRows(rows + stride * static_cast<std::size_t>(first),
                     BitmapRows{rows, stride, false}, size_, size_, first, count);
}

GLFWTexture::~GLFWTexture() {
    glDeleteTextures(1, &name_);
}
