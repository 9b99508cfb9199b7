// The shipped screensaver behind a bench entry that stamps start-up: it runs
// the program's own start-up and first frame unchanged and prints, when the
// first frame is on the screen, the wall-clock time (seconds since 1970, so
// that the launching script can subtract its own start stamp) of each phase,
// then ends the process. The phases are found by wrapping a few OpenGL entry
// points once the scene's set-up first reads its timer:
//   entry            the entry point runs (the process and its libraries are loaded)
//   setup            the scene's set-up begins (window, context and entry points done)
//   pictures         the eight pictures are textures (first shader object made)
//     of which storage: the time inside glTexStorage2D (the driver allocates
//     the texture), upload: inside glTexSubImage2D; the rest is reading and
//     converting the pictures
//   shaders          the water program is compiled and linked
//   draw_call        the first draw call returns (the driver builds its shader code there)
//   rendered         the first frame is drawn (glFinish after the first draw)
//   presented        the first frame is swapped to the screen and events polled
//                    (the first OpenGL call of the second frame)
// Lines go to standard error as "stamp NAME SECONDS" and "seconds NAME SECONDS".
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/hooked_entry.h"
#include "gfx/gl.h"
#include "scene/scene_hooks.h"

namespace {

double wallClock() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

struct Stamps {
    double entry = 0.0;
    double setup = 0.0;
    double pictures = 0.0;
    double shaders = 0.0;
    double drawCall = 0.0;
    double rendered = 0.0;
    double presented = 0.0;
    double storageSeconds = 0.0;
    double uploadSeconds = 0.0;
};
Stamps stamps;

PFNGLTEXSTORAGE2DPROC realTexStorage2D = nullptr;
PFNGLTEXSUBIMAGE2DPROC realTexSubImage2D = nullptr;
PFNGLCREATESHADERPROC realCreateShader = nullptr;
PFNGLLINKPROGRAMPROC realLinkProgram = nullptr;
PFNGLDRAWELEMENTSPROC realDrawElements = nullptr;
PFNGLUNIFORM1FPROC realUniform1f = nullptr;

void printAndEnd() {
    const struct {
        const char* name;
        double value;
    } lines[] = {{"entry", stamps.entry},        {"setup", stamps.setup},
                 {"pictures", stamps.pictures},  {"shaders", stamps.shaders},
                 {"draw_call", stamps.drawCall}, {"rendered", stamps.rendered},
                 {"presented", stamps.presented}};
    for (const auto& line : lines) {
        std::fprintf(stderr, "stamp %s %.6f\n", line.name, line.value);
    }
    std::fprintf(stderr, "seconds storage %.6f\nseconds upload %.6f\n", stamps.storageSeconds,
                 stamps.uploadSeconds);
    std::fflush(stderr);
    std::exit(0);
}

void APIENTRY timedTexStorage2D(GLenum target, GLsizei levels, GLenum format, GLsizei width,
                                GLsizei height) {
    const double start = wallClock();
    realTexStorage2D(target, levels, format, width, height);
    stamps.storageSeconds += wallClock() - start;
}

void APIENTRY timedTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                                 GLsizei height, GLenum format, GLenum type, const void* pixels) {
    const double start = wallClock();
    realTexSubImage2D(target, level, x, y, width, height, format, type, pixels);
    stamps.uploadSeconds += wallClock() - start;
}

GLuint APIENTRY stampedCreateShader(GLenum type) {
    if (stamps.pictures == 0.0) {
        stamps.pictures = wallClock();
    }
    return realCreateShader(type);
}

void APIENTRY stampedLinkProgram(GLuint program) {
    realLinkProgram(program);
    if (stamps.shaders == 0.0) {
        stamps.shaders = wallClock();
    }
}

void APIENTRY stampedDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    realDrawElements(mode, count, type, indices);
    if (stamps.drawCall == 0.0) {
        stamps.drawCall = wallClock();
        // Swapping would wait for the drawing anyway; this only splits the two.
        glFinish();
        stamps.rendered = wallClock();
    }
}

void APIENTRY stampedUniform1f(GLint location, GLfloat value) {
    if (stamps.rendered != 0.0) {
        stamps.presented = wallClock();
        printAndEnd();
    }
    realUniform1f(location, value);
}

// The scene's first timer reading opens its set-up, after the entry points
// are loaded: the moment to wrap them.
bool wrapped = false;
double firstReadingWraps() {
    if (wrapped) {
        return glfwGetTime();
    }
    wrapped = true;
    stamps.setup = wallClock();
    realTexStorage2D = gp_glTexStorage2D;
    realTexSubImage2D = gp_glTexSubImage2D;
    realCreateShader = gp_glCreateShader;
    realLinkProgram = gp_glLinkProgram;
    realDrawElements = gp_glDrawElements;
    realUniform1f = gp_glUniform1f;
    gp_glTexStorage2D = timedTexStorage2D;
    gp_glTexSubImage2D = timedTexSubImage2D;
    gp_glCreateShader = stampedCreateShader;
    gp_glLinkProgram = stampedLinkProgram;
    gp_glDrawElements = stampedDrawElements;
    gp_glUniform1f = stampedUniform1f;
    return glfwGetTime();
}

}  // namespace

SceneHooks entryHooks() {
    stamps.entry = wallClock();
    SceneHooks hooks;
    hooks.timer = firstReadingWraps;
    return hooks;
}
