// The main loop: a frame is drawn and shown before the quit request is first
// looked at, so even a run told to stop at once shows one frame. Each pass
// draws every window that anyone can see, each in its own context, then shows
// them; between passes the loop waits on its events until the pacer lets the
// next one start; while no one can see any window it draws nothing and only
// waits.
#include <GLFW/glfw3.h>

#include <optional>
#include <vector>

#include "app/command_line.h"
#include "app/frame_rate_overlay.h"
#include "app/glfw_application.h"
#include "gfx/gl_loader.h"
#include "platform/desktop_monitors.h"
#include "platform/host_window.h"
#include "platform/quit_request.h"

void GLFWApplication::run(Failure& failure) {
    sceneHooks_ = hooks_;
    // Loading the pictures takes long enough for a host to drop its pane meanwhile.
    if (drawsIntoHostWindow(commandLine_.mode) && sceneHooks_.setupGate.keepGoing == nullptr) {
        sceneHooks_.setupGate = SetupGate{setupStillWanted, this};
    }
    // Black first, so no monitor shows what was there while the water loads.
    for (const auto& window : windows_) {
        if (window->paintBlackIfLost()) {
            glfwSwapBuffers(window->window());
        }
    }
    for (const auto& window : windows_) {
        if (!setupScene(*window, failure)) {
            return;
        }
    }
    pacer_.setInterval(frameInterval());
    fineWaits_.emplace();
    do {
        pacer_.frameStarted(glfwGetTime());
        drawAndShowFrames();
        double waited = waitForNextFrame();
        followDesktop(glfwGetTime(), failure);
        double paused = 0.0;
        if (!quitRequested() && !anySeenAt(glfwGetTime())) {
            paused = pauseWhileUnseen();
            waited += paused;
        }
        addTimeBetweenFrames(waited, paused);
    } while (!quitRequested());
}

bool GLFWApplication::setupScene(RenderWindow& window, Failure& failure) {
    if (!window.showsWater()) {
        return true;
    }
    // The context's check left the framebuffer functions loaded only where it has them.
    return window.setupScene(sceneHooks_, framebufferObjectsLoaded(), commandLine_.settings,
                             failure);
}

// Each frame's time is read once, and travels with the frame to the
// statistics, the pictures' schedule and the shader. The first window waits
// for the vertical blank; it is shown last, so the others do not wait behind it.
void GLFWApplication::drawAndShowFrames() {
    drawnThisPass_.clear();
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        RenderWindow& window = *windows_[i];
        const std::optional<double> time = window.drawFrame(timer_);
        if (time && i == 0) {
            frameRateOverlay_.draw(*time);
        }
        if (time || window.paintBlackIfLost()) {
            drawnThisPass_.push_back(&window);
        }
    }
    for (auto it = drawnThisPass_.rbegin(); it != drawnThisPass_.rend(); ++it) {
        glfwSwapBuffers((*it)->window());
    }
}

void GLFWApplication::addTimeBetweenFrames(double waited, double paused) {
    for (const auto& window : windows_) {
        window->addTimeBetweenFrames(waited, paused);
    }
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
    bool anySeen = false;
    while (!quitRequested() && !anySeen) {
        glfwWaitEventsTimeout(kVisibilityCheckSeconds);
        quitIfHostGone();
        const double now = glfwGetTime();
        for (const auto& window : windows_) {
            if (window->showsWater()) {
                const bool seen = window->anyoneCanSee();
                window->takeSeen(seen, now);
                anySeen = anySeen || seen;
            }
        }
    }
    fineWaits_.emplace();
    return glfwGetTime() - start;
}

// A black window being seen is no reason to go on: it draws nothing.
bool GLFWApplication::anySeenAt(double now) {
    bool any = false;
    for (const auto& window : windows_) {
        if (window->showsWater()) {
            any = window->seenAt(now) || any;  // every one is asked, to keep each current
        }
    }
    return any;
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

// The windows with the water, taken together: one loop paces them all.
int GLFWApplication::refreshRateOfWindow() const {
    if (windows_.empty()) {
        return 0;
    }
    if (GLFWmonitor* own = glfwGetWindowMonitor(windows_.front()->window())) {
        const GLFWvidmode* mode = glfwGetVideoMode(own);
        return mode != nullptr ? mode->refreshRate : 0;
    }
    std::vector<ScreenRect> areas;
    for (const auto& window : windows_) {
        if (window->showsWater()) {
            ScreenRect area;
            glfwGetWindowPos(window->window(), &area.x, &area.y);
            glfwGetWindowSize(window->window(), &area.width, &area.height);
            areas.push_back(area);
        }
    }
    return refreshRateUnder(desktopSpanning(areas), monitorRefreshRates());
}
