// The shipped screensaver behind a bench entry that times its frames across
// picture changes: once the render-mode decision is made, the scene's timer
// runs GP_FRAME_TIMES_RATE times as fast (default 10), so that a picture
// change comes every few seconds. It prints every frame's wall-clock length
// from then on, and a mark at each picture change, to standard error:
//   frame MILLISECONDS
//   change N
// and ends the process one second after the GP_FRAME_TIMES_CHANGES-th change
// (default 5). A frame is counted from one window pass to the next (the
// scene binds the window's framebuffer once per frame), so it holds the
// whole loop: drawing, swap and events.
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/support/hooked_entry.h"
#include "gfx/gl.h"
#include "scene/scene_hooks.h"

namespace {

double wallClock() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double rate = 10.0;
int changesWanted = 5;
double decidedAt = -1.0;  // GLFW time of the render-mode decision
int changes = 0;
double endAt = -1.0;
double lastWindowPass = -1.0;
std::vector<double> frameMs;
std::vector<int> changeAtFrame;
PFNGLBINDFRAMEBUFFERPROC realBindFramebuffer = nullptr;

double fastTimer() {
    const double now = glfwGetTime();
    return decidedAt < 0.0 ? now : decidedAt + (now - decidedAt) * rate;
}

void printAndEnd() {
    std::size_t change = 0;
    for (std::size_t i = 0; i < frameMs.size(); ++i) {
        while (change < changeAtFrame.size() && changeAtFrame[change] == static_cast<int>(i)) {
            std::fprintf(stderr, "change %zu\n", ++change);
        }
        std::fprintf(stderr, "frame %.3f\n", frameMs[i]);
    }
    std::fflush(stderr);
    std::exit(0);
}

void APIENTRY timedBindFramebuffer(GLenum target, GLuint framebuffer) {
    if (framebuffer == 0 && decidedAt >= 0.0) {
        const double now = wallClock();
        if (lastWindowPass >= 0.0) {
            frameMs.push_back((now - lastWindowPass) * 1000.0);
        }
        lastWindowPass = now;
        if (endAt >= 0.0 && now >= endAt) {
            printAndEnd();
        }
    }
    realBindFramebuffer(target, framebuffer);
}

void renderModeChosen(int, int, float, int, float) {
    decidedAt = glfwGetTime();
    realBindFramebuffer = gp_glBindFramebuffer;
    gp_glBindFramebuffer = timedBindFramebuffer;
}

void pictureChanged(int, int, int) {
    changeAtFrame.push_back(static_cast<int>(frameMs.size()));
    if (++changes == changesWanted) {
        endAt = wallClock() + 1.0;
    }
}

}  // namespace

SceneHooks entryHooks() {
    if (const char* value = std::getenv("GP_FRAME_TIMES_RATE")) {
        rate = std::atof(value);
    }
    if (const char* value = std::getenv("GP_FRAME_TIMES_CHANGES")) {
        changesWanted = std::atoi(value);
    }
    SceneHooks hooks;
    hooks.timer = fastTimer;
    hooks.listener.renderModeChosen = renderModeChosen;
    hooks.listener.pictureChanged = pictureChanged;
    return hooks;
}
