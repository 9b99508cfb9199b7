// What the program registry and the text reader do before any OpenGL call:
// unknown names, and the failures they hand back as "Debug" message boxes.
#include <gtest/gtest.h>

#include "gfx/glfw_program.h"
#include "gfx/shader_text_resource.h"
#include "platform/failure.h"
#include "tests/support/message_box_recorder.h"

namespace {

TEST(GLFWProgramRegistry, UnknownNamesFindNothing) {
    GLFWProgramRegistry registry;
    EXPECT_EQ(registry.get("BackgroundProgram"), nullptr);
}

TEST(ShaderTextResource, AMissingTextIsAFailureAndReadsEmpty) {
    // No context exists here: reading texts never reaches OpenGL.
    Failure failure;
    EXPECT_EQ(readShaderTextResource(999, failure), "");
    EXPECT_EQ(
        messageBoxesOf(failure),
        std::vector<std::string>{"Debug|Shader text 999 is missing from the program's resources"});
    Failure none;
    EXPECT_NE(readShaderTextResource(137, none).find("void main"), std::string::npos);
    EXPECT_FALSE(none.happened());
}

}  // namespace
