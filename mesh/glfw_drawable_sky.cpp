// What the sky feeds the water program.
#include "mesh/glfw_drawable_sky.h"

#include "gfx/glfw_program.h"

void GLFWDrawableSky::bindAttributes() {
    vertexBuffer_->addAttribute(programName_, "position", 3, MeshData::kPositionOffset);
    vertexBuffer_->addAttribute(programName_, "position_tex", 2, MeshData::kTexCoordOffset);
    vertexBuffer_->addAttribute(programName_, "position_normal", 3, MeshData::kNormalOffset);
}

void GLFWDrawableSky::setFrameUniforms(const FrameClock& frame) {
    GLFWProgram* program = registry_->get(programName_);
    if (program == nullptr) {
        return;
    }
    glUniform1f(program->uniformLocation("iTime"), frame.time);
    glUniform1f(program->uniformLocation("viewportWidth"), frame.width);
    glUniform1f(program->uniformLocation("viewportHeight"), frame.height);
}
