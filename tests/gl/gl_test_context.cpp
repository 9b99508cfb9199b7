// One EGL context for the whole test program, made current once.
#include "tests/gl/gl_test_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

#include "gfx/gl_loader.h"

namespace {

bool contextReady = false;

bool makeContext() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display =
        getPlatformDisplay != nullptr
            ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
            : eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        return false;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        return false;
    }
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT ||
        !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        return false;
    }
    resolveGLEntryPoints(
        [](const char* name, void*) { return reinterpret_cast<void*>(eglGetProcAddress(name)); },
        nullptr);
    return glGetIntegerv != nullptr;
}

}  // namespace

void GLTest::SetUpTestSuite() {
    static bool attempted = false;
    if (!attempted) {
        attempted = true;
        contextReady = makeContext();
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
