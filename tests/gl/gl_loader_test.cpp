// The generated entry-point table against a real Mesa context.
#include <cstring>

#include "gfx/gl_loader.h"
#include "tests/gl/gl_test_context.h"

class GLLoaderTest : public GLTest {};

TEST_F(GLLoaderTest, ResolvesTheFunctionsTheProgramCalls) {
    for (int i = 0; i < gpGLEntryPointCount; ++i) {
        const char* name = gpGLEntryPoints[i].name;
        // Mesa implements every 4.5 core function; the ARB extras vary by driver.
        if (std::strstr(name, "ARB") == nullptr && std::strstr(name, "EXT") == nullptr) {
            EXPECT_NE(*gpGLEntryPoints[i].slot, nullptr) << name;
        }
    }
    GLint major = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    EXPECT_GE(major, 3);
}

TEST_F(GLLoaderTest, TableRunsFromCullFaceAndHoldsEachNameOnce) {
    ASSERT_GT(gpGLEntryPointCount, 650);
    EXPECT_STREQ(gpGLEntryPoints[0].name, "glCullFace");
    for (int i = 1; i < gpGLEntryPointCount; ++i) {
        EXPECT_NE(gpGLEntryPoints[i].slot, gpGLEntryPoints[i - 1].slot);
    }
}

TEST_F(GLLoaderTest, ClearThroughLoadedPointersReachesTheTarget) {
    OffscreenTarget target(4, 4);
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    std::vector<float> pixels = target.readPixels();
    EXPECT_NEAR(pixels[0], 0.25f, 1.0f / 255);
    EXPECT_NEAR(pixels[1], 0.5f, 1.0f / 255);
    EXPECT_NEAR(pixels[2], 0.75f, 1.0f / 255);
}
