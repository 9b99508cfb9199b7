// Mesa's surfaceless EGL platform gives a 4.5 compatibility context with no
// window at all; the program draws into framebuffer objects of its own.
#include "tests/gl/headless_gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "gfx/gl.h"
#include "gfx/gl_loader.h"

bool makeHeadlessGLContext() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display =
        getPlatformDisplay != nullptr
            ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
            : eglGetDisplay(EGL_DEFAULT_DISPLAY);
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr) ||
        !eglBindAPI(EGL_OPENGL_API)) {
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
