// The main loop: a frame is drawn and shown before the quit request is first
// looked at, so even a run told to stop at once shows one frame. Between
// frames the loop waits on its events until the pacer lets the next one
// start; while no one can see the window it draws nothing and only waits.
#include <GLFW/glfw3.h>
#include <glfw_display_sleep.h>

#include "app/command_line.h"
#include "app/frame_rate_overlay.h"
#include "app/glfw_application.h"
#include "gfx/gl_loader.h"
#include "platform/desktop_monitors.h"
#include "platform/host_window.h"
#include "platform/quit_request.h"
#include "platform/window_visibility.h"
#include "scene/scene.h"

namespace {

// How often the system is asked whether anyone can see the window, while
// drawing and while paused: a paused run draws again within this of being seen.
constexpr double kVisibilityCheckSeconds = 0.25;

}  // namespace

void GLFWApplication::run(Failure& failure) {
    SceneHooks hooks = hooks_;
    // Loading the pictures takes long enough for a host to drop its pane meanwhile.
    if (drawsIntoHostWindow(commandLine_.mode) && hooks.setupGate.keepGoing == nullptr) {
        hooks.setupGate = SetupGate{setupStillWanted, this};
    }
    // The context's check left the framebuffer functions loaded only where it has them.
    scene_ = Scene::setupScene(hooks, framebufferObjectsLoaded(), commandLine_.settings, failure);
    if (scene_ == nullptr) {
        return;
    }
    pacer_.setInterval(frameInterval());
    fineWaits_.emplace();
    double waited = 0.0;
    double paused = 0.0;
    do {
        pacer_.frameStarted(glfwGetTime());
        frameRateOverlay_.draw(frame(waited, paused));
        glfwSwapBuffers(window_);
        waited = waitForNextFrame();
        followDesktop(glfwGetTime());
        paused = 0.0;
        if (!quitRequested() && !seenAt(glfwGetTime())) {
            paused = pauseWhileUnseen();
            waited += paused;
        }
    } while (!quitRequested());
}

// The frame's time is read here, once, and travels with the frame to the
// statistics, the pictures' schedule and the shader.
double GLFWApplication::frame(double waitedSeconds, double pausedSeconds) {
    FrameInputs inputs;
    inputs.time = timer_();
    inputs.framebufferWidth = windowState_.width;
    inputs.framebufferHeight = windowState_.height;
    inputs.aspectRatio = windowState_.aspectRatio;
    inputs.waitedSeconds = waitedSeconds;
    inputs.pausedSeconds = pausedSeconds;
    scene_->renderFrame(inputs);
    return inputs.time;
}

double GLFWApplication::waitForNextFrame() {
    glfwPollEvents();
    quitIfHostGone();
    const double start = glfwGetTime();
    for (double wait;
         !quitRequested() && (wait = pacer_.waitBeforeNextFrame(glfwGetTime())) > 0.0;) {
        glfwWaitEventsTimeout(wait);
        quitIfHostGone();
    }
    return glfwGetTime() - start;
}

double GLFWApplication::pauseWhileUnseen() {
    const double start = glfwGetTime();
    fineWaits_.reset();  // the system's coarse timer is enough for these waits
    while (!quitRequested() && !anyoneCanSee()) {
        glfwWaitEventsTimeout(kVisibilityCheckSeconds);
        quitIfHostGone();
    }
    fineWaits_.emplace();
    seenCheckedAt_ = glfwGetTime();
    return seenCheckedAt_ - start;
}

bool GLFWApplication::seenAt(double now) {
    if (now - seenCheckedAt_ >= kVisibilityCheckSeconds) {
        seen_ = anyoneCanSee();
        seenCheckedAt_ = now;
    }
    return seen_;
}

bool GLFWApplication::anyoneCanSee() {
    return glfwIsDisplayOn(window_) && (visibility_ == nullptr || visibility_->seen());
}

void GLFWApplication::quitIfHostGone() {
    // A disabled or destroyed host window means the host is done with us.
    if (drawsIntoHostWindow(commandLine_.mode) && !isHostWindowEnabled(commandLine_.hostWindow)) {
        requestQuit();
    }
}

double GLFWApplication::frameInterval() const {
    PacedWindow paced = PacedWindow::FullScreen;
    if (commandLine_.mode == Preview) {
        paced = PacedWindow::Preview;
    } else if (commandLine_.mode == HandedWindow) {
        paced = PacedWindow::HandedWindow;
    }
    return minimumFrameInterval(paced, refreshRateOfWindow(), commandLine_.settings.frameRate,
                                commandLine_.frameDelaySeconds);
}

int GLFWApplication::refreshRateOfWindow() const {
    if (GLFWmonitor* own = glfwGetWindowMonitor(window_)) {
        const GLFWvidmode* mode = glfwGetVideoMode(own);
        return mode != nullptr ? mode->refreshRate : 0;
    }
    ScreenRect area;
    glfwGetWindowPos(window_, &area.x, &area.y);
    glfwGetWindowSize(window_, &area.width, &area.height);
    return refreshRateUnder(area, monitorRefreshRates());
}
