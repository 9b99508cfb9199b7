// GLFWProgram and GLFWProgramRegistry against Mesa, built from the shipped
// water texts: the shared location cache, binding a sampler and the registry.
#include <memory>

#include "gfx/glfw_program.h"
#include "tests/support/program_probes.h"
#include "tests/support/resource_builds.h"
#include "tests/gl/gl_test_context.h"

namespace {

constexpr std::uint16_t kVertexText = 137;
constexpr std::uint16_t kFragmentText = 136;

int uniformQueries = 0;
int attributeQueries = 0;
int programsCreated = 0;
PFNGLGETUNIFORMLOCATIONPROC realGetUniformLocation = nullptr;
PFNGLGETATTRIBLOCATIONPROC realGetAttribLocation = nullptr;
PFNGLCREATEPROGRAMPROC realCreateProgram = nullptr;

GLint APIENTRY countedGetUniformLocation(GLuint program, const GLchar* name) {
    ++uniformQueries;
    return realGetUniformLocation(program, name);
}

GLint APIENTRY countedGetAttribLocation(GLuint program, const GLchar* name) {
    ++attributeQueries;
    return realGetAttribLocation(program, name);
}

GLuint APIENTRY countedCreateProgram() {
    ++programsCreated;
    return realCreateProgram();
}

// Counts every question the program puts to OpenGL while the test runs.
class GLFWProgramTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        realGetUniformLocation = gp_glGetUniformLocation;
        realGetAttribLocation = gp_glGetAttribLocation;
        realCreateProgram = gp_glCreateProgram;
        gp_glGetUniformLocation = countedGetUniformLocation;
        gp_glGetAttribLocation = countedGetAttribLocation;
        gp_glCreateProgram = countedCreateProgram;
        uniformQueries = attributeQueries = programsCreated = 0;
    }
    void TearDown() override {
        gp_glGetUniformLocation = realGetUniformLocation;
        gp_glGetAttribLocation = realGetAttribLocation;
        gp_glCreateProgram = realCreateProgram;
    }
};

TEST_F(GLFWProgramTest, ShippedProgramAnswersItsActiveNamesAndMinusOneForTheRest) {
    const auto built = programFromResources(kVertexText, kFragmentText);
    GLFWProgram& program = *built;
    EXPECT_NE(programName(program), 0u);
    for (const char* uniform :
         {"iTime", "viewportWidth", "viewportHeight", "textureTime", "normalsTexture",
          "backgroundTexture", "backgroundTexture2", "normalsTextureSize", "renderMode"}) {
        EXPECT_GE(program.uniformLocation(uniform), 0) << uniform;
    }
    EXPECT_GE(program.attributeLocation("position"), 0);
    // Declared by the vertex shader and never read, so never active.
    EXPECT_EQ(program.attributeLocation("position_normal"), -1);
    for (const char* matrix : {"model_world", "world_projection", "model_projection"}) {
        EXPECT_EQ(program.uniformLocation(matrix), -1) << matrix;
    }
    // Names are compared byte by byte.
    EXPECT_EQ(program.uniformLocation("itime"), -1);
}

TEST_F(GLFWProgramTest, EveryAnswerIsCachedMinusOneIncluded) {
    const auto built = programFromResources(kVertexText, kFragmentText);
    GLFWProgram& program = *built;
    EXPECT_EQ(program.attributeLocation("position_normal"), -1);
    EXPECT_EQ(program.attributeLocation("position_normal"), -1);
    EXPECT_EQ(attributeQueries, 1);
    GLint time = program.uniformLocation("iTime");
    EXPECT_EQ(program.uniformLocation("iTime"), time);
    EXPECT_EQ(program.uniformLocation("model_world"), -1);
    EXPECT_EQ(program.uniformLocation("model_world"), -1);
    EXPECT_EQ(uniformQueries, 2);
}

TEST_F(GLFWProgramTest, ANameAnswersWhateverItsFirstLookupFound) {
    const auto built = programFromResources(kVertexText, kFragmentText);
    GLFWProgram& program = *built;
    GLint time = program.uniformLocation("iTime");
    ASSERT_GE(time, 0);
    EXPECT_EQ(program.attributeLocation("iTime"), time);
    EXPECT_EQ(attributeQueries, 0);

    GLint position = program.attributeLocation("position");
    ASSERT_GE(position, 0);
    EXPECT_EQ(program.uniformLocation("position"), position);
    EXPECT_EQ(uniformQueries, 1);
}

TEST_F(GLFWProgramTest, SetTextureSetsTheSamplerAndBindsTheTextureToItsUnit) {
    const auto built = programFromResources(kVertexText, kFragmentText);
    GLFWProgram& program = *built;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    program.use();
    setTexture(program, "backgroundTexture2", 2, texture);
    GLint unit = -1;
    glGetUniformiv(programName(program), program.uniformLocation("backgroundTexture2"), &unit);
    EXPECT_EQ(unit, 2);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE2);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
    glActiveTexture(GL_TEXTURE0);
    glDeleteTextures(1, &texture);
}

TEST_F(GLFWProgramTest, DestructorReleasesTheProgramObject) {
    auto program = programFromResources(kVertexText, kFragmentText);
    GLuint id = programName(*program);
    ASSERT_EQ(glIsProgram(id), GL_TRUE);
    program.reset();
    EXPECT_EQ(glIsProgram(id), GL_FALSE);
}

TEST_F(GLFWProgramTest, RegistryKeepsTheFirstProgramFiledUnderAName) {
    GLFWProgramRegistry registry;
    addProgramFromResources(registry, "BackgroundProgram", kVertexText, kFragmentText);
    GLFWProgram* first = registry.get("BackgroundProgram");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(programName(registry, "BackgroundProgram"), programName(*first));

    // The second one is built all the same, and released at once.
    addProgramFromResources(registry, "BackgroundProgram", kVertexText, kFragmentText);
    EXPECT_EQ(programsCreated, 2);
    EXPECT_EQ(registry.get("BackgroundProgram"), first);
    EXPECT_EQ(programName(registry, "BackgroundProgram"), programName(*first));

    registry.use("BackgroundProgram");
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(static_cast<GLuint>(current), programName(registry, "BackgroundProgram"));
    glUseProgram(0);

    EXPECT_EQ(registry.get("backgroundprogram"), nullptr);
    EXPECT_EQ(programName(registry, "backgroundprogram"), 0u);
}

}  // namespace
