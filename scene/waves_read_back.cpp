// The window's pass (see waves_read_back.h).
#include "scene/waves_read_back.h"

#include "gfx/glfw_program.h"
#include "scene/water_units.h"

void WavesReadBack::draw(GLFWProgram& program, int width, int height, int patternAcross,
                         float textureTime) const {
    program.use();
    glUniform1f(program.uniformLocation("viewportWidth"), static_cast<float>(width));
    glUniform1f(program.uniformLocation("viewportHeight"), static_cast<float>(height));
    glUniform1f(program.uniformLocation("normalsTextureSize"), static_cast<float>(patternAcross));
    glUniform1f(program.uniformLocation("textureTime"), textureTime);
    glUniform1i(program.uniformLocation("normalsTexture"), kNormalsUnit);
    glUniform1i(program.uniformLocation("backgroundTexture"), kBackgroundUnit);
    glUniform1i(program.uniformLocation("backgroundTexture2"), kBackground2Unit);
    quad_.draw(program);
}
