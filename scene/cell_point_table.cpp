// Drawing the water's table of cell points (see cell_point_table.h). Eight
// bits a channel, so that any driver with framebuffer objects can draw it: the
// pass packs each coordinate into the four channels of a texel.
#include "scene/cell_point_table.h"

#include "gfx/glfw_program.h"

bool CellPointTable::fill(GLFWProgram& tablePass, float shaderTime) {
    if (filled_ && shaderTime == filledTime_) {
        return false;
    }
    target_.bind();
    glViewport(0, 0, kWidth, kHeight);
    tablePass.use();
    glUniform1f(tablePass.uniformLocation("iTime"), shaderTime);
    // Every texel is drawn, so nothing needs clearing.
    quad_.draw(tablePass);
    filled_ = true;
    filledTime_ = shaderTime;
    return true;
}
