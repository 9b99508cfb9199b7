// The main loop: a frame is drawn and shown before the end conditions are
// first looked at, so even a run told to stop at once shows one frame.
#include <GLFW/glfw3.h>

#include "app/command_line.h"
#include "app/frame_rate_overlay.h"
#include "app/glfw_application.h"
#include "platform/host_window.h"
#include "platform/termination_request.h"
#include "scene/scene.h"

void GLFWApplication::run(Failure& failure) {
    SceneHooks hooks = hooks_;
    // Loading the pictures takes long enough for a host to drop its pane meanwhile.
    if (commandLine_.mode == Preview && hooks.setupGate.keepGoing == nullptr) {
        hooks.setupGate = SetupGate{setupStillWanted, this};
    }
    // Taken as usable until the driver's capabilities are checked.
    const bool framebufferObjectsUsable = true;
    scene_ = Scene::setupScene(hooks, framebufferObjectsUsable, failure);
    if (scene_ == nullptr) {
        return;
    }
    bool keepGoing = true;
    do {
        drawFrameRateOverlay(frame());
        glfwSwapBuffers(window_);
        glfwPollEvents();  // a key or mouse-button event ends the process in here
        // Both are asked on every pass, whatever the other answers.
        bool escapeUp = glfwGetKey(window_, GLFW_KEY_ESCAPE) == GLFW_RELEASE;
        bool closeAsked = glfwWindowShouldClose(window_) == GLFW_TRUE;
        keepGoing = keepGoing && escapeUp && !closeAsked;
        // A disabled or destroyed preview window means the host is done with us.
        if (commandLine_.mode == Preview && !isHostWindowEnabled(commandLine_.hostWindow)) {
            break;
        }
        if (terminationRequested()) {
            break;
        }
    } while (keepGoing);
}

// The frame's time is read here and travels with the frame to the shader.
double GLFWApplication::frame() {
    FrameInputs inputs;
    inputs.time = glfwGetTime();
    inputs.framebufferWidth = windowState_.width;
    inputs.framebufferHeight = windowState_.height;
    inputs.aspectRatio = windowState_.aspectRatio;
    scene_->renderFrame(inputs);
    return inputs.time;
}
