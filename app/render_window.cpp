// A window of the run with its context, scene and visibility.
#include "app/render_window.h"

#include <GLFW/glfw3.h>
#include <glfw_display_sleep.h>

#include "app/window_callbacks.h"
#include "gfx/gl.h"
#include "platform/window_visibility.h"
#include "scene/scene.h"

RenderWindow::RenderWindow(GLFWwindow* window, bool showsWater)
    : window_(window), showsWater_(showsWater) {
    // A black window is cleared before it is first shown by the loop.
    int width = 0, height = 0;
    glfwGetWindowSize(window_, &width, &height);
    state_.resize(width, height);
    state_.contentsLost = !showsWater;
    glfwSetWindowUserPointer(window_, &state_);
    glfwSetWindowSizeCallback(window_, onWindowSize);
    glfwSetWindowRefreshCallback(window_, onWindowRefresh);
    glfwSetWindowCloseCallback(window_, onWindowClose);
    glfwSetKeyCallback(window_, onKey);
    glfwSetMouseButtonCallback(window_, onMouseButton);
    glfwSetCursorPosCallback(window_, onCursorPos);
    glfwSetScrollCallback(window_, onScroll);
}

RenderWindow::~RenderWindow() {
    if (scene_ != nullptr) {
        makeCurrent();
        scene_.reset();
    }
    visibility_.reset();
    if (glfwGetCurrentContext() == window_) {
        glfwMakeContextCurrent(nullptr);
    }
    glfwDestroyWindow(window_);
}

void RenderWindow::makeCurrent() const {
    if (glfwGetCurrentContext() != window_) {
        glfwMakeContextCurrent(window_);
    }
}

void RenderWindow::watchVisibility() {
    visibility_ = std::make_unique<WindowVisibility>(nativeWindowOf(window_));
}

bool RenderWindow::setupScene(const SceneHooks& hooks, bool framebufferObjectsUsable,
                              const UserSettings& settings, Failure& failure) {
    makeCurrent();
    scene_ = Scene::setupScene(hooks, framebufferObjectsUsable, settings, failure);
    return scene_ != nullptr;
}

std::optional<double> RenderWindow::drawFrame(SceneTimer timer) {
    if (scene_ == nullptr) {
        return std::nullopt;
    }
    if (!seen_) {
        timeBetweenFrames_.skipped(glfwGetTime());
        return std::nullopt;
    }
    const TimeBetweenFrames::Gap gap = timeBetweenFrames_.take(glfwGetTime());
    makeCurrent();
    FrameInputs inputs;
    inputs.time = timer();
    inputs.framebufferWidth = state_.width;
    inputs.framebufferHeight = state_.height;
    inputs.aspectRatio = state_.aspectRatio;
    inputs.waitedSeconds = gap.waited;
    inputs.pausedSeconds = gap.paused;
    scene_->renderFrame(inputs);
    return inputs.time;
}

bool RenderWindow::paintBlackIfLost() {
    if (showsWater_ || !state_.contentsLost) {
        return false;
    }
    state_.contentsLost = false;
    makeCurrent();
    glViewport(0, 0, state_.width, state_.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    return true;
}

void RenderWindow::addTimeBetweenFrames(double waited, double paused) {
    timeBetweenFrames_.addLoopWait(waited, paused);
}

bool RenderWindow::seenAt(double now) {
    if (now - seenCheckedAt_ >= kVisibilityCheckSeconds) {
        takeSeen(anyoneCanSee(), now);
    }
    return seen_;
}

bool RenderWindow::anyoneCanSee() {
    return glfwIsDisplayOn(window_) && (visibility_ == nullptr || visibility_->seen());
}

void RenderWindow::takeSeen(bool seen, double now) {
    seen_ = seen;
    seenCheckedAt_ = now;
}
