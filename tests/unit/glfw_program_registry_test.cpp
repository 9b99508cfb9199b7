// What the program registry and the text reader do before any OpenGL call:
// unknown names, and the roads that end the process with a "Debug" box.
#include <gtest/gtest.h>

#include "gfx/glfw_program.h"

namespace {

TEST(GLFWProgramRegistry, UnknownNamesFindNothing) {
    GLFWProgramRegistry registry;
    EXPECT_EQ(registry.get("BackgroundProgram"), nullptr);
    EXPECT_EQ(registry.programId("BackgroundProgram"), 0);
}

TEST(GLFWProgramRegistryDeathTest, UsingAnUnknownNameEndsWithABox) {
    GLFWProgramRegistry registry;
    EXPECT_EXIT(registry.use("BackgroundProgram"), testing::ExitedWithCode(0),
                "Debug: Shader program \"BackgroundProgram\" is not registered");
}

TEST(GLFWProgramDeathTest, AMissingTextEndsWithABoxBeforeAnyOpenGLCall) {
    // No context exists here: the road must not reach OpenGL at all.
    EXPECT_EXIT(GLFWProgram(999, 136), testing::ExitedWithCode(0),
                "Debug: Shader text 999 is missing from the program's resources");
    EXPECT_EXIT(GLFWProgram(137, 998), testing::ExitedWithCode(0),
                "Debug: Shader text 998 is missing from the program's resources");
}

}  // namespace
