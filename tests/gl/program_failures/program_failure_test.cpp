// The roads on which GLFWProgram cannot build its program: each shows its
// "Debug" boxes (on Linux, "Debug: text" lines on standard error) and ends the
// process with exit code 0. The dying child also reports, as it exits, how
// many boxes it showed and which OpenGL objects it made, in what order:
// P program, V vertex shader, F fragment shader, c a compile.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx/glfw_program.h"
#include "platform/message_box.h"
#include "tests/gl/gl_test_context.h"

namespace {

// Texts of program_failures.rc.
constexpr std::uint16_t kWaterVertex = 137;
constexpr std::uint16_t kWaterFragment = 136;
constexpr std::uint16_t kVertexCompileError = 300;
constexpr std::uint16_t kFragmentCompileError = 301;
constexpr std::uint16_t kVertexCutInMain = 302;
constexpr std::uint16_t kVertexTextAfterMarker = 303;
constexpr std::uint16_t kVertexWithoutMain = 304;
constexpr std::uint16_t kVertexWithoutMarker = 305;
constexpr std::uint16_t kVertexPastCapacity = 306;
constexpr std::uint16_t kVertexAtCapacity = 307;

int boxesShown = 0;
std::string glCalls;
PFNGLCREATEPROGRAMPROC realCreateProgram = nullptr;
PFNGLCREATESHADERPROC realCreateShader = nullptr;
PFNGLCOMPILESHADERPROC realCompileShader = nullptr;

GLuint APIENTRY recordedCreateProgram() {
    glCalls += 'P';
    return realCreateProgram();
}

GLuint APIENTRY recordedCreateShader(GLenum type) {
    glCalls += type == GL_VERTEX_SHADER ? 'V' : 'F';
    return realCreateShader(type);
}

void APIENTRY recordedCompileShader(GLuint shader) {
    glCalls += 'c';
    realCompileShader(shader);
}

void countBox(const char*, const char*) {
    ++boxesShown;
}

void reportAtExit() {
    std::fprintf(stderr, "boxes shown: %d, GL calls: %s\n", boxesShown, glCalls.c_str());
}

void recordTheRoad() {
    boxesShown = 0;
    glCalls.clear();
    realCreateProgram = gp_glCreateProgram;
    realCreateShader = gp_glCreateShader;
    realCompileShader = gp_glCompileShader;
    gp_glCreateProgram = recordedCreateProgram;
    gp_glCreateShader = recordedCreateShader;
    gp_glCompileShader = recordedCompileShader;
    setMessageBoxHook(countBox);
}

void stopRecording() {
    gp_glCreateProgram = realCreateProgram;
    gp_glCreateShader = realCreateShader;
    gp_glCompileShader = realCompileShader;
    setMessageBoxHook(nullptr);
}

// Builds in a death test's child, which prints its record as it exits.
void build(std::uint16_t vertex, std::uint16_t fragment) {
    recordTheRoad();
    std::atexit(reportAtExit);
    GLFWProgram program(vertex, fragment);
}

class ProgramFailureTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        // The child runs the test afresh, with a context of its own: a forked
        // copy of Mesa's threads would not survive.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(ProgramFailureTest, VertexCompileErrorShowsTheLogThenItsMessage) {
    // The fragment shader is never created.
    EXPECT_EXIT(build(kVertexCompileError, kWaterFragment), testing::ExitedWithCode(0),
                "Debug: .*error.*\nDebug: Vertex shader compilation error\n"
                "boxes shown: 2, GL calls: PVc\n$");
}

TEST_F(ProgramFailureTest, FragmentCompileErrorShowsTheLogThenItsMessage) {
    EXPECT_EXIT(build(kWaterVertex, kFragmentCompileError), testing::ExitedWithCode(0),
                "Debug: .*error.*\nDebug: Fragment shader compilation error\n"
                "boxes shown: 2, GL calls: PVcFc\n$");
}

TEST_F(ProgramFailureTest, AMarkerInTheMiddleCutsTheTextThere) {
    // Read to its end the text would compile; cut at its first "~" it lacks
    // the closing brace of main.
    EXPECT_EXIT(build(kVertexCutInMain, kWaterFragment), testing::ExitedWithCode(0),
                "Debug: .*end of file.*\nDebug: Vertex shader compilation error\n"
                "boxes shown: 2, GL calls: PVc\n$");
}

TEST_F(ProgramFailureTest, TextAfterTheMarkerNeverReachesTheCompiler) {
    recordTheRoad();
    {
        GLFWProgram program(kVertexTextAfterMarker, kWaterFragment);
        EXPECT_GE(program.attributeLocation("position"), 0);
        EXPECT_GE(program.uniformLocation("iTime"), 0);
    }
    stopRecording();
    EXPECT_EQ(glCalls, "PVcFc");
    EXPECT_EQ(boxesShown, 0);
}

TEST_F(ProgramFailureTest, ALinkErrorShowsTheProgramLogThenItsMessage) {
    EXPECT_EXIT(build(kVertexWithoutMain, kWaterFragment), testing::ExitedWithCode(0),
                "Debug: .*main.*\nDebug: Shader program link error\n"
                "boxes shown: 2, GL calls: PVcFc\n$");
}

TEST_F(ProgramFailureTest, ATextWithoutMarkerIsReportedBeforeAnyOpenGLCall) {
    EXPECT_EXIT(build(kVertexWithoutMarker, kWaterFragment), testing::ExitedWithCode(0),
                "^Debug: Shader text 305 has no \"~\" end marker within 16384 characters\n"
                "boxes shown: 1, GL calls: \n$");
}

TEST_F(ProgramFailureTest, ATextMayFillTheBufferButNotOverflowIt) {
    {
        GLFWProgram program(kVertexAtCapacity, kWaterFragment);
        EXPECT_NE(program.programId(), 0u);
    }
    EXPECT_EXIT(build(kVertexPastCapacity, kWaterFragment), testing::ExitedWithCode(0),
                "^Debug: Shader text 306 has no \"~\" end marker within 16384 characters\n"
                "boxes shown: 1, GL calls: \n$");
}

}  // namespace
