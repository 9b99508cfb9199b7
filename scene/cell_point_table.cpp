// Drawing the water's table of cell points (see cell_point_table.h). Eight
// bits a channel, so that any driver with framebuffer objects can draw it: the
// pass packs each coordinate into the four channels of a texel.
#include "scene/cell_point_table.h"

#include "gfx/glfw_program.h"

CellPointTable::CellPointTable() {
    glGenTextures(1, &texture_);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    // Texel for texel; the water wraps its cells' rows onto the lattice by repeating the table.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    const GLenum drawBuffer = GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &drawBuffer);
}

CellPointTable::~CellPointTable() {
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &texture_);
}

bool CellPointTable::fill(GLFWProgram& tablePass, float shaderTime) {
    if (filled_ && shaderTime == filledTime_) {
        return false;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glViewport(0, 0, kWidth, kHeight);
    tablePass.use();
    glUniform1f(tablePass.uniformLocation("iTime"), shaderTime);
    // Every texel is drawn, so nothing needs clearing.
    quad_.draw(tablePass);
    filled_ = true;
    filledTime_ = shaderTime;
    return true;
}

bool CellPointTable::complete() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}
