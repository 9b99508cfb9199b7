// Building the render window: GLFW, the window's size, the window itself with
// its callbacks, icon and entry points, then the OpenGL state that never changes.
#include "app/glfw_application.h"

#include <GLFW/glfw3.h>
#include <glfw_attach.h>
#include <glfw_display_sleep.h>

#include <cstring>

#include "app/command_line.h"
#include "app/glfw_error_report.h"
#include "app/window_callbacks.h"
#include "app/window_icon.h"
#include "gfx/gl.h"
#include "gfx/gl_capabilities.h"
#include "gfx/gl_loader.h"
#include "platform/display_mode.h"
#include "platform/driver_libraries.h"
#include "platform/failure.h"
#include "platform/host_window.h"
#include "platform/message_box.h"
#include "platform/window_visibility.h"
#include "scene/scene.h"

namespace {

constexpr char kWindowTitle[] = "Glimmerpond3DScreensaver";

// How often a full-screen run looks for a changed desktop by itself: some
// drivers and docks never say, and Wine does not for a change made outside it.
constexpr double kDesktopCheckSeconds = 1.0;

}  // namespace

GLFWApplication::GLFWApplication(const CommandLine& commandLine, const SceneHooks& hooks)
    : commandLine_(commandLine), hooks_(hooks), timer_(completeSceneHooks(hooks).timer) {}

GLFWApplication::~GLFWApplication() {
    scene_.reset();  // its GL objects, while the window's context is current
    visibility_.reset();
    if (window_ != nullptr) {
        glfwDestroyWindow(window_);
    }
    keepDriverLibrariesLoaded();
    // Harmless when GLFW never started.
    glfwTerminate();
}

bool GLFWApplication::open(Failure& failure) {
    hostWasEnabled_ =
        drawsIntoHostWindow(commandLine_.mode) && isHostWindowEnabled(commandLine_.hostWindow);
    initGLFW();
    // The host may drop its pane while we start: each step takes a while.
    if (previewUnwanted()) {
        return false;
    }
    chooseWindowSize();
    if (!openWindow(failure) || previewUnwanted()) {
        return false;
    }
    setupGLState();
    return true;
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
    if (drawsIntoHostWindow(commandLine_.mode)) {
        ClientSize host = hostClientSize(commandLine_.hostWindow);
        windowState_.resize(host.width, host.height);
        return;
    }
    cover_ = currentDesktopCover();
    windowState_.resize(cover_.area.width, cover_.area.height);
}

DesktopCover GLFWApplication::currentDesktopCover() const {
    const std::vector<ScreenRect> all = desktopMonitors();
    if (all.size() > 1) {
        return DesktopCover{true, desktopSpanning(all)};
    }
    const bool keepsDisplayMode = fullScreenKeepsDisplayMode();
    // The monitor as the system lays windows out on it: under Wine its mode
    // still reads as before a change made outside it, its place does not.
    if (keepsDisplayMode && all.size() == 1 && all[0].width > 0 && all[0].height > 0) {
        return DesktopCover{false, all[0]};
    }
    WindowSize primaryMode;
    if (keepsDisplayMode) {
        primaryMode = WindowSize{primaryModeSize(0), primaryModeSize(1)};
    }
    WindowSize size = fullScreenWindowSize(keepsDisplayMode, primaryMode);
    return DesktopCover{false, ScreenRect{0, 0, size.width, size.height}};
}

void GLFWApplication::followDesktop(double now) {
    if (drawsIntoHostWindow(commandLine_.mode)) {
        return;  // the host sizes the window
    }
    const bool told = glfwTakeDisplayChange(window_) == GLFW_TRUE;
    if (!told && now - desktopCheckedAt_ < kDesktopCheckSeconds) {
        return;
    }
    desktopCheckedAt_ = now;
    const DesktopCover desktop = currentDesktopCover();
    if (desktop == cover_ || desktop.area.width <= 0 || desktop.area.height <= 0) {
        return;
    }
    cover_ = desktop;
    placeWindowOver(cover_);
    // The monitors and their refresh rates may be others now.
    pacer_.setInterval(frameInterval());
}

// From now on one borderless window above the others, as over several
// monitors: taking a monitor again as a full-screen window would have GLFW set
// its mode, which the system may put back when the run ends. The window's
// size callback tells the scene the new size.
void GLFWApplication::placeWindowOver(const DesktopCover& cover) {
    const ScreenRect& area = cover.area;
    glfwSetWindowAttrib(window_, GLFW_DECORATED, GLFW_FALSE);
    glfwSetWindowMonitor(window_, nullptr, area.x, area.y, area.width, area.height, GLFW_DONT_CARE);
    glfwSetWindowAttrib(window_, GLFW_FLOATING, GLFW_TRUE);
    glfwFocusWindow(window_);
    glfwLetDisplaySleep(window_);
}

bool GLFWApplication::openWindow(Failure& failure) {
    // GLSL 1.20 comes with OpenGL 2.1.
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_CONTEXT_ROBUSTNESS, GLFW_LOSE_CONTEXT_ON_RESET);
    glfwWindowHint(GLFW_SAMPLES, 0);
    glfwWindowHint(GLFW_STEREO, 0);

    // Held, so that a display without the OpenGL asked for gets one clear
    // message instead of GLFW's.
    HeldGLFWErrors errors;
    createWindow();
    if (window_ == nullptr) {
        if (previewUnwanted()) {
            return false;  // the pane went away meanwhile: nothing to tell anyone
        }
        const GLOffer plain = plainContextOffer();
        if (plain.version.major > 0 && !judgeGLOffer(plain).usable) {
            destroyPreviewChild(previewChild_);
            unusableGL_ = openGLNeedsMessage(plain);
            return false;
        }
        errors.showAll();
        failure.add("Failed to open window");
        return false;
    }
    errors.showAll();
    glfwLetDisplaySleep(window_);  // GLFW would keep a full-screen window's display lit

    glfwSetWindowUserPointer(window_, &windowState_);
    glfwSetWindowSizeCallback(window_, onWindowSize);
    glfwSetWindowCloseCallback(window_, onWindowClose);
    glfwSetKeyCallback(window_, onKey);
    glfwSetMouseButtonCallback(window_, onMouseButton);
    glfwSetCursorPosCallback(window_, onCursorPos);
    glfwSetScrollCallback(window_, onScroll);
    glfwMakeContextCurrent(window_);
    setWindowIcon(window_);
    const GLJudgement judgement = judgeGLOffer(loadGL());
    if (!judgement.usable) {
        // The window goes: what is shown instead is drawn without OpenGL.
        glfwMakeContextCurrent(nullptr);
        glfwDestroyWindow(window_);
        window_ = nullptr;
        destroyPreviewChild(previewChild_);
        unusableGL_ = judgement.message;
        return false;
    }
    // Nothing calls what the context lacks.
    forgetMissingFeatures(judgement);
    visibility_ = std::make_unique<WindowVisibility>(nativeWindowOf(window_));
    return true;
}

void GLFWApplication::createWindow() {
    if (drawsIntoHostWindow(commandLine_.mode)) {
        // A Windows host's window belongs to another process and cannot be
        // subclassed, so the picture goes into a child window of our own that
        // fills it; X lets us draw into the window itself.
        previewChild_ = createPreviewChild(commandLine_.hostWindow);
        if (previewChild_ == 0 && previewUnwanted()) {
            return;
        }
        window_ = glfwAttachNativeWindow(previewChild_, nullptr);
    } else if (cover_.spansMonitors) {
        // One window over every monitor, above everything else, shown only
        // once it is in place. It keeps its monitors' modes as they are.
        glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
        glfwWindowHint(GLFW_FLOATING, GLFW_TRUE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window_ = glfwCreateWindow(windowState_.width, windowState_.height, kWindowTitle, nullptr,
                                   nullptr);
        if (window_ != nullptr) {
            glfwSetWindowPos(window_, cover_.area.x, cover_.area.y);
            glfwShowWindow(window_);
            glfwFocusWindow(window_);
        }
    } else {
        window_ = glfwCreateWindow(windowState_.width, windowState_.height, kWindowTitle,
                                   glfwGetPrimaryMonitor(), nullptr);
    }
}

// What the display offers to a plain request (no version asked for), read
// from a hidden window of its own that is gone again before this returns.
GLOffer GLFWApplication::plainContextOffer() {
    glfwDefaultWindowHints();
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* probe = glfwCreateWindow(1, 1, kWindowTitle, nullptr, nullptr);
    if (probe == nullptr) {
        return GLOffer{};
    }
    glfwMakeContextCurrent(probe);
    const GLOffer offer = loadGL();
    glfwMakeContextCurrent(nullptr);
    glfwDestroyWindow(probe);
    return offer;
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

bool GLFWApplication::previewUnwanted() const {
    return hostWasEnabled_ && !isHostWindowEnabled(commandLine_.hostWindow);
}

bool GLFWApplication::setupStillWanted(void* application) {
    // A host destroying its pane waits until this thread has handled what that
    // sends to our child window, so the messages go through first: without
    // them the pane would stay until the first frame's events.
    glfwPollEvents();
    return !static_cast<const GLFWApplication*>(application)->previewUnwanted();
}

int GLFWApplication::primaryModeSize(int which) const {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode == nullptr) {
        return 0;
    }
    return which == 0 ? mode->width : mode->height;
}
