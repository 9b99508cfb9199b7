// The paths on which a program cannot be built from its texts: each hands back
// its "Debug" message boxes in order, and the OpenGL objects made on the way are
// recorded in order: P program, V vertex shader, F fragment shader, c a compile.
#include <string>
#include <vector>

#include "gfx/glfw_program.h"
#include "platform/failure.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/program_probes.h"
#include "tests/support/resource_builds.h"

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

// What one build handed back, and the OpenGL objects it made on the way.
struct Build {
    std::vector<std::string> messageBoxes;
    std::string glCalls;
};

Build build(std::uint16_t vertex, std::uint16_t fragment) {
    glCalls.clear();
    realCreateProgram = gp_glCreateProgram;
    realCreateShader = gp_glCreateShader;
    realCompileShader = gp_glCompileShader;
    gp_glCreateProgram = recordedCreateProgram;
    gp_glCreateShader = recordedCreateShader;
    gp_glCompileShader = recordedCompileShader;
    Failure failure;
    programFromResources(vertex, fragment, failure);
    gp_glCreateProgram = realCreateProgram;
    gp_glCreateShader = realCreateShader;
    gp_glCompileShader = realCompileShader;
    return {messageBoxesOf(failure), glCalls};
}

// The driver's log (which says `logSays`), then the message, each in a message box.
void expectLogThen(const Build& outcome, const char* logSays, const std::string& message) {
    ASSERT_EQ(outcome.messageBoxes.size(), 2u);
    EXPECT_EQ(outcome.messageBoxes[0].rfind("Debug|", 0), 0u) << outcome.messageBoxes[0];
    EXPECT_NE(outcome.messageBoxes[0].find(logSays), std::string::npos) << outcome.messageBoxes[0];
    EXPECT_EQ(outcome.messageBoxes[1], "Debug|" + message);
}

const std::vector<std::string> kNoMessageBoxes;

class ProgramFailureTest : public GLTest {};

TEST_F(ProgramFailureTest, VertexCompileErrorGivesTheLogThenItsMessage) {
    const Build outcome = build(kVertexCompileError, kWaterFragment);
    expectLogThen(outcome, "error", "Vertex shader compilation error");
    // The fragment shader is never created.
    EXPECT_EQ(outcome.glCalls, "PVc");
}

TEST_F(ProgramFailureTest, FragmentCompileErrorGivesTheLogThenItsMessage) {
    const Build outcome = build(kWaterVertex, kFragmentCompileError);
    expectLogThen(outcome, "error", "Fragment shader compilation error");
    EXPECT_EQ(outcome.glCalls, "PVcFc");
}

TEST_F(ProgramFailureTest, AMarkerInTheMiddleCutsTheTextThere) {
    // Read to its end the text would compile; cut at its first "~" it lacks
    // the closing brace of main.
    const Build outcome = build(kVertexCutInMain, kWaterFragment);
    expectLogThen(outcome, "end of file", "Vertex shader compilation error");
    EXPECT_EQ(outcome.glCalls, "PVc");
}

TEST_F(ProgramFailureTest, TextAfterTheMarkerNeverReachesTheCompiler) {
    const Build outcome = build(kVertexTextAfterMarker, kWaterFragment);
    EXPECT_EQ(outcome.messageBoxes, kNoMessageBoxes);
    EXPECT_EQ(outcome.glCalls, "PVcFc");
    const auto program = programFromResources(kVertexTextAfterMarker, kWaterFragment);
    EXPECT_GE(program->attributeLocation("position"), 0);
    EXPECT_GE(program->uniformLocation("iTime"), 0);
}

TEST_F(ProgramFailureTest, ALinkErrorGivesTheProgramLogThenItsMessage) {
    const Build outcome = build(kVertexWithoutMain, kWaterFragment);
    expectLogThen(outcome, "main", "Shader program link error");
    EXPECT_EQ(outcome.glCalls, "PVcFc");
}

TEST_F(ProgramFailureTest, ATextWithoutMarkerIsReportedBeforeAnyOpenGLCall) {
    const Build outcome = build(kVertexWithoutMarker, kWaterFragment);
    EXPECT_EQ(outcome.messageBoxes,
              std::vector<std::string>{"Debug|Shader text 305 has no \"~\" end "
                                       "marker within 16384 characters"});
    EXPECT_EQ(outcome.glCalls, "");
}

TEST_F(ProgramFailureTest, ATextMayFillTheBufferButNotOverflowIt) {
    EXPECT_NE(programName(*programFromResources(kVertexAtCapacity, kWaterFragment)), 0u);
    const Build outcome = build(kVertexPastCapacity, kWaterFragment);
    EXPECT_EQ(outcome.messageBoxes,
              std::vector<std::string>{"Debug|Shader text 306 has no \"~\" end "
                                       "marker within 16384 characters"});
    EXPECT_EQ(outcome.glCalls, "");
}

}  // namespace
