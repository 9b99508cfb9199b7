// What tests ask of a built program (see program_probes.h).
#include "tests/support/program_probes.h"

GLuint programName(const GLFWProgram& program) {
    GLint previous = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
    program.use();
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    glUseProgram(static_cast<GLuint>(previous));
    return static_cast<GLuint>(current);
}

GLuint programName(const GLFWProgramRegistry& registry, const char* name) {
    const GLFWProgram* program = registry.get(name);
    return program != nullptr ? programName(*program) : 0;
}

void setTexture(GLFWProgram& program, const char* samplerName, int unit, GLuint texture) {
    glUniform1i(program.uniformLocation(samplerName), unit);
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
}
