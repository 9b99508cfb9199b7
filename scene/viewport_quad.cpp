// A quad over the viewport (see viewport_quad.h).
#include "scene/viewport_quad.h"

#include "gfx/glfw_program.h"

namespace {

// The corners of the viewport, as a triangle strip.
const float kCorners[] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

ViewportQuad::ViewportQuad() {
    glGenBuffers(1, &buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof kCorners, kCorners, GL_STATIC_DRAW);
}

ViewportQuad::~ViewportQuad() {
    glDeleteBuffers(1, &buffer_);
}

void ViewportQuad::draw(GLFWProgram& program) const {
    const GLint position = program.attributeLocation("position");
    if (position < 0) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(position), 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    // The scene's drawable points the arrays it uses before every draw, and no others.
    glDisableVertexAttribArray(static_cast<GLuint>(position));
}
