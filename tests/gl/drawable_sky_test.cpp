// The sky drawn with the real water program on Mesa: it covers every pixel of
// the viewport, its attribute layout has the 96-byte stride and the offsets of
// the interleaved vertex, and one draw sends matrices, then the frame
// uniforms, then binds the buffers and draws.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/glfw_program.h"
#include "mesh/camera.h"
#include "mesh/frame_clock.h"
#include "mesh/glfw_drawable_sky.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/program_probes.h"
#include "tests/support/resource_builds.h"

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 16;
constexpr const char* kProgram = "BackgroundProgram";

// What the shims saw, in call order.
std::vector<std::string> events;
struct PointerCall {
    GLuint location;
    GLint size;
    GLsizei stride;
    std::uintptr_t offset;
};
std::vector<PointerCall> pointerCalls;
std::vector<mat4> matrices;

PFNGLVERTEXATTRIBPOINTERPROC realVertexAttribPointer;
PFNGLUNIFORMMATRIX4FVPROC realUniformMatrix4fv;
PFNGLUNIFORM1FPROC realUniform1f;
PFNGLBINDBUFFERPROC realBindBuffer;
PFNGLDRAWELEMENTSPROC realDrawElements;

void APIENTRY recordVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                        GLsizei stride, const void* pointer) {
    events.push_back("attribute");
    pointerCalls.push_back({index, size, stride, reinterpret_cast<std::uintptr_t>(pointer)});
    realVertexAttribPointer(index, size, type, normalized, stride, pointer);
}

void APIENTRY recordUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose,
                                     const GLfloat* value) {
    events.push_back("matrix");
    mat4 m;
    for (int i = 0; i < 16; ++i) {
        m.data()[i] = value[i];
    }
    matrices.push_back(m);
    realUniformMatrix4fv(location, count, transpose, value);
}

void APIENTRY recordUniform1f(GLint location, GLfloat value) {
    events.push_back("float");
    realUniform1f(location, value);
}

void APIENTRY recordBindBuffer(GLenum target, GLuint buffer) {
    events.push_back("bind");
    realBindBuffer(target, buffer);
}

void APIENTRY recordDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    events.push_back("draw " + std::to_string(count));
    realDrawElements(mode, count, type, indices);
}

// Puts the recording shims in place for one scope.
struct Recording {
    Recording() {
        events.clear();
        pointerCalls.clear();
        matrices.clear();
        realVertexAttribPointer = gp_glVertexAttribPointer;
        realUniformMatrix4fv = gp_glUniformMatrix4fv;
        realUniform1f = gp_glUniform1f;
        realBindBuffer = gp_glBindBuffer;
        realDrawElements = gp_glDrawElements;
        gp_glVertexAttribPointer = recordVertexAttribPointer;
        gp_glUniformMatrix4fv = recordUniformMatrix4fv;
        gp_glUniform1f = recordUniform1f;
        gp_glBindBuffer = recordBindBuffer;
        gp_glDrawElements = recordDrawElements;
    }
    ~Recording() {
        gp_glVertexAttribPointer = realVertexAttribPointer;
        gp_glUniformMatrix4fv = realUniformMatrix4fv;
        gp_glUniform1f = realUniform1f;
        gp_glBindBuffer = realBindBuffer;
        gp_glDrawElements = realDrawElements;
    }
};

void expectMatrixNear(const mat4& a, const mat4& b) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(a.data()[i], b.data()[i], 1e-4f) << i;
    }
}

}  // namespace

class DrawableSkyTest : public GLTest {
  protected:
    void SetUp() override {
        GLTest::SetUp();
        static GLFWProgramRegistry* shared = nullptr;
        if (shared == nullptr) {
            shared = new GLFWProgramRegistry();
            addProgramFromResources(*shared, kProgram, 137, 136);
        }
        registry = shared;
        camera.setProjection(perspective(50.0f, float(kWidth) / kHeight, 0.1f, 1000.0f));
        camera.pitch(1.0f);
        camera.updateView(0);
        sky.reset(
            new GLFWDrawableSky(&camera, registry, kProgram, meshFromResources(141, 140, 1.0f)));
        sky->prepare();
        sky->setModel(translate(0, 0, -100));
    }

    GLint attribute(const char* name) { return registry->get(kProgram)->attributeLocation(name); }

    GLFWProgramRegistry* registry = nullptr;
    const FrameClock clock{kWidth, kHeight, 1.5f};
    Camera camera{0, 0, 100};
    std::unique_ptr<GLFWDrawableSky> sky;
};

TEST_F(DrawableSkyTest, QuadCoversEveryPixelOfTheViewport) {
    OffscreenTarget target(kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Mode 0 writes the wave parameters: red at least 0.35, blue 0.
    registry->use(kProgram);
    glUniform1i(registry->get(kProgram)->uniformLocation("renderMode"), 0);
    sky->draw(clock);

    const std::vector<float> pixels = target.readPixels();
    int uncovered = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        if (pixels[i * 4 + 2] > 0.5f || pixels[i * 4] < 0.3f) {
            ++uncovered;
        }
    }
    EXPECT_EQ(uncovered, 0);

    GLFWProgram* program = registry->get(kProgram);
    float value = 0;
    glGetUniformfv(programName(*program), program->uniformLocation("iTime"), &value);
    EXPECT_EQ(value, 1.5f);
    glGetUniformfv(programName(*program), program->uniformLocation("viewportWidth"), &value);
    EXPECT_EQ(value, float(kWidth));
    glGetUniformfv(programName(*program), program->uniformLocation("viewportHeight"), &value);
    EXPECT_EQ(value, float(kHeight));
}

TEST_F(DrawableSkyTest, BuffersHoldSixVerticesOf96BytesAndSixIndices) {
    sky->vertexBuffer().bind();
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 576);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 24);
    EXPECT_EQ(sky->vertexBuffer().indexCount(), 6);
}

TEST_F(DrawableSkyTest, LayoutIsAppliedInNameOrderWithTheInterleavedOffsets) {
    {
        Recording recording;
        sky->draw(clock);
    }
    ASSERT_EQ(pointerCalls.size(), 3u);
    const char* names[3] = {"position", "position_normal", "position_tex"};
    const GLint sizes[3] = {3, 3, 2};
    const std::uintptr_t offsets[3] = {0, 20, 12};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pointerCalls[i].location, static_cast<GLuint>(attribute(names[i]))) << names[i];
        EXPECT_EQ(pointerCalls[i].size, sizes[i]) << names[i];
        EXPECT_EQ(pointerCalls[i].stride, 96) << names[i];
        EXPECT_EQ(pointerCalls[i].offset, offsets[i]) << names[i];
    }

    // What GL itself holds for the attributes the linked program kept (the
    // water shaders read only "position"; GL drops the others).
    ASSERT_GE(attribute("position"), 0);
    for (int i = 0; i < 3; ++i) {
        if (attribute(names[i]) < 0) {
            continue;
        }
        const GLuint location = static_cast<GLuint>(attribute(names[i]));
        GLint value = 0;
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &value);
        EXPECT_EQ(value, GL_TRUE) << names[i];
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &value);
        EXPECT_EQ(value, 96) << names[i];
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &value);
        EXPECT_EQ(value, sizes[i]) << names[i];
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &value);
        EXPECT_EQ(static_cast<GLuint>(value), sky->vertexBuffer().vertexBufferName());
        void* pointer = nullptr;
        glGetVertexAttribPointerv(location, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pointer), offsets[i]) << names[i];
    }
}

TEST_F(DrawableSkyTest, DrawSendsMatricesThenFrameUniformsThenBindsAndDrawsOnce) {
    {
        Recording recording;
        sky->draw(clock);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"matrix", "matrix", "matrix", "float", "float",
                                                "float", "bind", "bind", "attribute", "attribute",
                                                "attribute", "draw 6"}));
    ASSERT_EQ(matrices.size(), 3u);
    const mat4 model = translate(0, 0, -100);
    const mat4 pv = camera.projection() * camera.currentView();
    expectMatrixNear(matrices[0], model);
    expectMatrixNear(matrices[1], pv);
    expectMatrixNear(matrices[2], pv * model);
}
