// The screensaver behind a test entry, for end-to-end tests of the scene: it
// prints the first two pictures, the render-mode decision (with the slowest
// of the frames it judged) and every picture
// change to standard error, and lets a test move the scene's timer, which
// every frame reads once for its statistics, its pictures' schedule and the
// caustics: from the first frame on it stands GP_SCENE_TIME_SHIFT seconds
// ahead and runs GP_SCENE_TIME_RATE times as fast (defaults 0 and 1), so that
// a picture change comes without a two-minute wait and a cross-fade lasts
// long enough to be seen. Everything else is the shipped program.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/hooked_entry.h"
#include "scene/scene_hooks.h"

#include <GLFW/glfw3.h>

namespace {

double timeShift = 0.0;
double timeRate = 1.0;
double firstFrameTime = -1.0;
bool setUpDone = false;

// Set-up reads the true timer, so the schedule starts as it would; the timer
// moves on only once set-up has picked the first pictures.
double movedTimer() {
    const double now = glfwGetTime();
    if (!setUpDone) {
        return now;
    }
    if (firstFrameTime < 0.0) {
        firstFrameTime = now;
    }
    return firstFrameTime + timeShift + (now - firstFrameTime) * timeRate;
}

void printBackgrounds(int backgroundA, int backgroundB) {
    setUpDone = true;
    std::fprintf(stderr, "scene: set up: unit 1 shows %d, unit 2 shows %d\n", backgroundA,
                 backgroundB);
    std::fflush(stderr);
}

void printRenderMode(int mode, int reducedSize, float typicalMs, int frames, float slowestMs) {
    std::fprintf(stderr,
                 "scene: render mode %d, pattern %d across, typical %.1f ms over %d frames, "
                 "slowest %.1f ms\n",
                 mode, reducedSize, static_cast<double>(typicalMs), frames,
                 static_cast<double>(slowestMs));
    std::fflush(stderr);
}

void printPictureChange(int backgroundA, int backgroundB, int fadeToSecond) {
    std::fprintf(
        stderr,
        "scene: picture change at %.2f s: unit 1 shows %d, unit 2 shows %d, fading to unit %d\n",
        glfwGetTime(), backgroundA, backgroundB, fadeToSecond == 1 ? 2 : 1);
    std::fflush(stderr);
}

}  // namespace

SceneHooks entryHooks() {
    SceneHooks hooks;
    const char* shift = std::getenv("GP_SCENE_TIME_SHIFT");
    const char* rate = std::getenv("GP_SCENE_TIME_RATE");
    if (shift != nullptr || rate != nullptr) {
        timeShift = shift != nullptr ? std::atof(shift) : 0.0;
        timeRate = rate != nullptr ? std::atof(rate) : 1.0;
        hooks.timer = movedTimer;
    }
    hooks.listener.backgroundsPicked = printBackgrounds;
    hooks.listener.renderModeChosen = printRenderMode;
    hooks.listener.pictureChanged = printPictureChange;
    return hooks;
}
