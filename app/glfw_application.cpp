// Building the render window: GLFW, the window's size, the window itself with
// its callbacks, icon and entry points, then the OpenGL state that never changes.
#include "app/glfw_application.h"

#include <GLFW/glfw3.h>
#include <glfw_attach.h>
#include <glfw_display_sleep.h>

#include <cstdlib>
#include <cstring>

#include "app/command_line.h"
#include "app/window_callbacks.h"
#include "app/window_icon.h"
#include "app/window_size.h"
#include "app/window_state.h"
#include "app/windows_version.h"
#include "gfx/gl.h"
#include "gfx/gl_loader.h"
#include "platform/host_window.h"
#include "platform/message_box.h"
#include "platform/system_version.h"

namespace {

constexpr char kWindowTitle[] = "Glimmerpond3DScreensaver";

void failToOpenWindow() {
    showMessageBox("Failed to open window", "Debug");
    glfwTerminate();
    std::exit(0);
}

}  // namespace

GLFWApplication::GLFWApplication(CommandLine* commandLine) : commandLine_(commandLine) {
    initGLFW();
    chooseWindowSize();
    openWindow();
    setupGLState();
}

void GLFWApplication::initGLFW() {
    // Set first, so that a failure inside glfwInit is shown too.
    glfwSetErrorCallback(onGLFWError);
    if (!glfwInit()) {
        // Carry on: every GLFW call that follows reports itself, and no window results.
        showMessageBox("Failed to initialize GLFW", "Debug");
    }
}

void GLFWApplication::chooseWindowSize() {
    if (commandLine_->mode == Preview) {
        ClientSize host = hostClientSize(commandLine_->hostWindow);
        setWindowSize(host.width, host.height);
        return;
    }
    int version = windowsVersion();
    WindowSize primaryMode;
    if (version >= kFirstVersionKeepingTheMode) {
        primaryMode = WindowSize{primaryModeSize(0), primaryModeSize(1)};
    }
    WindowSize size = fullScreenWindowSize(version, primaryMode);
    setWindowSize(size.width, size.height);
}

void GLFWApplication::openWindow() {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_STEREO, 0);

    if (commandLine_->mode == Preview) {
        // The host's window belongs to another process and cannot be subclassed,
        // so the picture goes into a child window of our own that fills it.
        window_ = glfwAttachNativeWindow(createPreviewChild(commandLine_->hostWindow), nullptr);
    } else {
        window_ = glfwCreateWindow(windowWidth, windowHeight, kWindowTitle, glfwGetPrimaryMonitor(),
                                   nullptr);
    }
    if (window_ == nullptr) {
        failToOpenWindow();
    }
    glfwLetDisplaySleep(window_);  // GLFW would keep a full-screen window's display lit

    glfwSetWindowSizeCallback(window_, onWindowSize);
    glfwSetKeyCallback(window_, onKey);
    glfwSetMouseButtonCallback(window_, onMouseButton);
    glfwSetCursorPosCallback(window_, onCursorPos);
    glfwSetScrollCallback(window_, onScroll);
    glfwMakeContextCurrent(window_);
    setWindowIcon(window_);
    loadGL();  // a missing entry point or an old context is not looked for
}

void GLFWApplication::setupGLState() {
    glCullFace(GL_BACK);  // culling itself stays off
    glFrontFace(GL_CW);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    setSwapInterval(true);
    glfwSetInputMode(window_, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void GLFWApplication::setWindowIcon(GLFWwindow* window) {
    static unsigned char pixels[sizeof(kWindowIconPixels)];
    std::memcpy(pixels, kWindowIconPixels, sizeof(pixels));
    GLFWimage icon{kWindowIconSize, kWindowIconSize, pixels};
    glfwSetWindowIcon(window, 1, &icon);
}

void GLFWApplication::setSwapInterval(bool waitForVerticalBlank) {
    glfwSwapInterval(waitForVerticalBlank ? 1 : 0);
}

int GLFWApplication::windowsVersion() const {
    return ::windowsVersion(systemVersionWord());
}

int GLFWApplication::primaryModeSize(int which) const {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) {
        return 0;
    }
    return which == 0 ? mode->width : mode->height;
}
