// The main loop: a frame is drawn and shown before the end conditions are
// first looked at, so even a run told to stop at once shows one frame.
#include <GLFW/glfw3.h>

#include <cstdlib>

#include "app/command_line.h"
#include "app/frame_rate_overlay.h"
#include "app/frame_seed.h"
#include "app/glfw_application.h"
#include "platform/host_window.h"
#include "platform/termination_request.h"
#include "scene/scene.h"

namespace {
int firstFrameDone = 0;
}

void GLFWApplication::run() {
    setupScene();
    bool keepGoing = true;
    do {
        frame();
        drawFrameRateOverlay(glfwGetTime());
        glfwSwapBuffers(window_);
        glfwPollEvents();  // a key or mouse-button event ends the process in here
        // Both are asked on every pass, whatever the other answers.
        bool escapeUp = glfwGetKey(window_, GLFW_KEY_ESCAPE) == GLFW_RELEASE;
        bool closeAsked = glfwWindowShouldClose(window_) == GLFW_TRUE;
        keepGoing = keepGoing && escapeUp && !closeAsked;
        // A disabled or destroyed preview window means the host is done with us.
        if (commandLine_->mode == Preview && !isHostWindowEnabled(commandLine_->hostWindow)) {
            break;
        }
        if (terminationRequested()) {
            break;
        }
    } while (keepGoing);
}

void GLFWApplication::frame() {
    float now = static_cast<float>(glfwGetTime());
    if (firstFrameDone == 0) {
        std::srand(firstFrameSeed(now));
        firstFrameDone = 1;
    }
    if (frameClock != nullptr) {
        frameClock->setTime(now);
    }
    renderFrame();
}
