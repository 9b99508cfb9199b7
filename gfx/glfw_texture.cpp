// Picture textures (see glfw_texture.h).
#include "gfx/glfw_texture.h"

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

void GLFWTexture::uploadRows(const unsigned char* rows, int first, int count) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name_);
    // Rows of a power-of-two size are a multiple of 4 bytes: no padding to skip.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, first, size_, count, GL_BGR, GL_UNSIGNED_BYTE, rows);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

GLFWTexture::~GLFWTexture() {
    glDeleteTextures(1, &name_);
}
