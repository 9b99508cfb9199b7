// Drawing the water program in tests (see water_drawing.h).
#include "tests/gl/water_drawing.h"

namespace {

// x, y, z, then s, t: the corners at x, y = -1 and 1, as a triangle strip.
const float kQuadVertices[] = {
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,  //
    1.0f,  -1.0f, 0.0f, 1.0f, 0.0f,  //
    -1.0f, 1.0f,  0.0f, 0.0f, 1.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f,  //
};
constexpr GLsizei kStride = 5 * sizeof(float);

void pointAttribute(GLint location, GLint components, std::size_t offset) {
    if (location < 0) {
        return;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, kStride,
                          reinterpret_cast<const void*>(offset));
}

}  // namespace

FullViewportQuad::FullViewportQuad() {
    glGenBuffers(1, &buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kQuadVertices), kQuadVertices, GL_STATIC_DRAW);
}

FullViewportQuad::~FullViewportQuad() {
    glDeleteBuffers(1, &buffer_);
}

void FullViewportQuad::draw(GLFWProgram& program) const {
    program.use();
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    pointAttribute(program.attributeLocation("position"), 3, 0);
    pointAttribute(program.attributeLocation("position_tex"), 2, 3 * sizeof(float));
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

void setWaterUniforms(GLFWProgram& program, const WaterInputs& inputs, int renderMode) {
    program.use();
    glUniform1f(program.uniformLocation("iTime"), static_cast<float>(inputs.iTime));
    glUniform1f(program.uniformLocation("viewportWidth"), static_cast<float>(inputs.viewportWidth));
    glUniform1f(program.uniformLocation("viewportHeight"),
                static_cast<float>(inputs.viewportHeight));
    glUniform1f(program.uniformLocation("textureTime"), static_cast<float>(inputs.textureTime));
    glUniform1f(program.uniformLocation("normalsTextureSize"),
                static_cast<float>(inputs.normalsTextureSize));
    glUniform1i(program.uniformLocation("renderMode"), renderMode);
}
