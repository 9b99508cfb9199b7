// Building the render windows: GLFW, where the windows go, the first window
// with its callbacks, icon and entry points, the others beside it, then the
// OpenGL state that never changes.
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
#include "platform/quit_request.h"

namespace {

constexpr char kWindowTitle[] = "Glimmerpond3DScreensaver";

// How often a full-screen run looks for a changed desktop by itself: some
// drivers and docks never say, and Wine does not for a change made outside it.
constexpr double kDesktopCheckSeconds = 1.0;

}  // namespace

GLFWApplication::GLFWApplication(const CommandLine& commandLine, const SceneHooks& hooks)
    : commandLine_(commandLine), hooks_(hooks), timer_(completeSceneHooks(hooks).timer) {}

GLFWApplication::~GLFWApplication() {
    windows_.clear();  // each scene's GL objects, while its window's context is current
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
    setupGLState(*windows_.front());
    for (std::size_t i = 1; i < cover_.size(); ++i) {
        addWindow(cover_[i]);
    }
    setSwapIntervals();
    windows_.front()->makeCurrent();
    if (windows_.size() > 1) {
        glfwFocusWindow(windows_.front()->window());  // each new one took the focus
    }
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
        hostSize_ = hostClientSize(commandLine_.hostWindow);
        return;
    }
    cover_ = currentCoverWindows();
}

std::vector<CoverWindow> GLFWApplication::currentCoverWindows() const {
    const std::vector<ScreenRect> monitors = desktopMonitors();
    return coverWindows(desktopCover(monitors), monitors, commandLine_.settings.monitors);
}

DesktopCover GLFWApplication::desktopCover(const std::vector<ScreenRect>& all) const {
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

void GLFWApplication::followDesktop(double now, Failure& failure) {
    if (drawsIntoHostWindow(commandLine_.mode)) {
        return;  // the host sizes the window
    }
    bool told = false;
    for (const auto& window : windows_) {
        // Each is asked, so that none keeps an old notice for later.
        told = glfwTakeDisplayChange(window->window()) == GLFW_TRUE || told;
    }
    if (!told && now - desktopCheckedAt_ < kDesktopCheckSeconds) {
        return;
    }
    desktopCheckedAt_ = now;
    const std::vector<CoverWindow> cover = currentCoverWindows();
    if (cover == cover_ || cover.front().area.width <= 0 || cover.front().area.height <= 0) {
        return;
    }
    // A window that changes between the water and black is made anew, and
    // so is every one after it; where a monitor's window could not be made,
    // the windows no longer match the monitors one to one, and all but the
    // first are made anew.
    const std::size_t keepable = windows_.size() == cover_.size() ? windows_.size() : 1;
    std::size_t kept = 0;
    while (kept < keepable && kept < cover.size() &&
           windows_[kept]->showsWater() == cover[kept].showsWater) {
        ++kept;
    }
    windows_.resize(kept);
    for (std::size_t i = 0; i < kept; ++i) {
        if (!(cover[i] == cover_[i])) {
            placeWindowOver(windows_[i]->window(), cover[i].area);
        }
    }
    cover_ = cover;
    for (std::size_t i = kept; i < cover_.size(); ++i) {
        if (addWindow(cover_[i]) && !setupScene(*windows_.back(), failure)) {
            requestQuit();
            return;
        }
    }
    setSwapIntervals();
    if (!windows_.empty()) {
        glfwFocusWindow(windows_.front()->window());
    }
    // The monitors and their refresh rates may be others now.
    pacer_.setInterval(frameInterval());
}

// From now on a borderless window above the others, as over several
// monitors: taking a monitor again as a full-screen window would have GLFW set
// its mode, which the system may put back when the run ends. The window's
// size callback tells the scene the new size.
void GLFWApplication::placeWindowOver(GLFWwindow* window, const ScreenRect& area) {
    glfwSetWindowAttrib(window, GLFW_DECORATED, GLFW_FALSE);
    glfwSetWindowMonitor(window, nullptr, area.x, area.y, area.width, area.height, GLFW_DONT_CARE);
    glfwSetWindowAttrib(window, GLFW_FLOATING, GLFW_TRUE);
    glfwLetDisplaySleep(window);
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
    const CoverWindow first = cover_.empty() ? CoverWindow{} : cover_.front();
    GLFWwindow* window = createWindow(first);
    if (window == nullptr) {
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
    glfwLetDisplaySleep(window);  // GLFW would keep a full-screen window's display lit
    windows_.push_back(std::make_unique<RenderWindow>(window, first.showsWater));
    if (drawsIntoHostWindow(commandLine_.mode)) {
        windows_.front()->state().resize(hostSize_.width, hostSize_.height);
    }
    glfwMakeContextCurrent(window);
    setWindowIcon(window);
    const GLJudgement judgement = judgeGLOffer(loadGL());
    if (!judgement.usable) {
        // The window goes: what is shown instead is drawn without OpenGL.
        glfwMakeContextCurrent(nullptr);
        windows_.clear();
        destroyPreviewChild(previewChild_);
        unusableGL_ = judgement.message;
        return false;
    }
    // Nothing calls what the context lacks.
    forgetMissingFeatures(judgement);
    windows_.front()->watchVisibility();
    return true;
}

bool GLFWApplication::addWindow(const CoverWindow& where) {
    GLFWwindow* window = createWindow(where);
    if (window == nullptr) {
        return false;  // that monitor stays as it is; the others go on
    }
    glfwLetDisplaySleep(window);
    windows_.push_back(std::make_unique<RenderWindow>(window, where.showsWater));
    glfwMakeContextCurrent(window);
    setWindowIcon(window);
    windows_.back()->watchVisibility();
    setupGLState(*windows_.back());
    return true;
}

GLFWwindow* GLFWApplication::createWindow(const CoverWindow& where) {
    if (drawsIntoHostWindow(commandLine_.mode)) {
        // A Windows host's window belongs to another process and cannot be
        // subclassed, so the picture goes into a child window of our own that
        // fills it; X lets us draw into the window itself.
        previewChild_ = createPreviewChild(commandLine_.hostWindow);
        if (previewChild_ == 0 && previewUnwanted()) {
            return nullptr;
        }
        return glfwAttachNativeWindow(previewChild_, nullptr);
    }
    const ScreenRect& area = where.area;
    if (where.ownsPrimaryMonitor) {
        return glfwCreateWindow(area.width, area.height, kWindowTitle, glfwGetPrimaryMonitor(),
                                nullptr);
    }
    // A window over every monitor, or over one of several, above everything
    // else, shown only once it is in place. It keeps its monitors' modes as
    // they are.
    glfwWindowHint(GLFW_DECORATED, GLFW_FALSE);
    glfwWindowHint(GLFW_FLOATING, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window = glfwCreateWindow(area.width, area.height, kWindowTitle, nullptr, nullptr);
    if (window != nullptr) {
        glfwSetWindowPos(window, area.x, area.y);
        glfwShowWindow(window);
        glfwFocusWindow(window);
    }
    return window;
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

void GLFWApplication::setupGLState(RenderWindow& window) {
    window.makeCurrent();
    glCullFace(GL_BACK);  // culling itself stays off
    glFrontFace(GL_CW);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glfwSetInputMode(window.window(), GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
}

void GLFWApplication::setSwapIntervals() {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        windows_[i]->makeCurrent();
        setSwapInterval(i == 0);
    }
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
