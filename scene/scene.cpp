// Placeholder scene until the water scene lands: each frame clears the whole
// window to one calm colour, so that a run shows it is alive.
#include "scene/scene.h"

#include "app/window_state.h"
#include "gfx/gl.h"

namespace {
constexpr float kClearColour[4] = {0.10f, 0.45f, 0.55f, 1.0f};  // deep teal
}

FrameClock* frameClock = nullptr;

void setupScene() {
    frameClock = new FrameClock(0.0f);
}

void renderFrame() {
    frameClock->setViewport(static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    glClear(GL_COLOR_BUFFER_BIT);
}
