// One EGL context for the whole test program, made current once.
#include "tests/gl/gl_test_context.h"

#include <vector>

#include "tests/gl/headless_gl_context.h"

namespace {

bool contextReady = false;

}  // namespace

void GLTest::SetUpTestSuite() {
    static bool attempted = false;
    if (!attempted) {
        attempted = true;
        contextReady = makeHeadlessGLContext();
    }
}

void GLTest::SetUp() {
    ASSERT_TRUE(contextReady) << "no EGL surfaceless OpenGL context";
}

OffscreenTarget::OffscreenTarget(int w, int h, GLenum internalFormat) : width(w), height(h) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexStorage2D(GL_TEXTURE_2D, 1, internalFormat, width, height);
    glGenFramebuffers(1, &framebuffer);
    bind();
    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, texture, 0);
    glViewport(0, 0, width, height);
}

OffscreenTarget::~OffscreenTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
}

void OffscreenTarget::bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

std::vector<float> OffscreenTarget::readPixels() const {
    std::vector<float> pixels(static_cast<size_t>(width) * height * 4);
    bind();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_FLOAT, pixels.data());
    return pixels;
}
