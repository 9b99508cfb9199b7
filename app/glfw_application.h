// The application object: owns the one render window (full screen on the
// primary monitor, spanning every monitor, or attached to a window it is
// given), its OpenGL context and entry points, and the window's scene, and
// runs the main loop. Every run ends the same way: the loop sees the quit
// request, and the destructor takes the scene, the window and GLFW down.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_pacer.h"
#include "app/frame_rate_overlay.h"
#include "app/window_size.h"
#include "gfx/gl_capabilities.h"
#include "platform/host_window.h"
#include "platform/fine_waits.h"
#include "scene/scene_hooks.h"

struct CommandLine;
class Failure;
class Scene;
class WindowVisibility;
struct GLFWwindow;

class GLFWApplication {
  public:
    // `hooks` go to the scene: the shipped program gives none.
    GLFWApplication(const CommandLine& commandLine, const SceneHooks& hooks);
    // Puts back what the run changed: the scene's GL objects go while the
    // context is current, then the window (an attached one is handed back as
    // it was found), then GLFW, which restores the session's settings.
    ~GLFWApplication();
    GLFWApplication(const GLFWApplication&) = delete;
    GLFWApplication& operator=(const GLFWApplication&) = delete;

    // Starts GLFW, sizes and opens the window and sets the fixed OpenGL
    // state. False, with "Failed to open window" in `failure`, when no window
    // can be opened; false and no failure when a preview's host is done with
    // it before its window is open, or when the display's OpenGL cannot draw
    // the water (unusableGL() then says why).
    bool open(Failure& failure);

    // Sets the scene up and draws until the quit request is set (a key, a
    // button, a close message, a signal, or the host dropping its window,
    // which also stops the set-up between its steps); returns then. A scene
    // that cannot be set up is handed back in `failure`.
    void run(Failure& failure);

    // After open() failed because the display's OpenGL cannot draw the water:
    // what it needs and what the display offers, in words for the user;
    // empty otherwise. GLFW stays started, its timer running, and no window is open.
    const std::string& unusableGL() const { return unusableGL_; }

    // XScreenSaver's "--fps": the frame rate over every frame; off unless asked for.
    void showFrameRate(bool shown) { frameRateOverlay_.enable(shown); }

  private:
    // A preview whose host has disabled or destroyed its window since the
    // start is not wanted any more; the other modes are always wanted. A host
    // window that was never there (or a platform without previews) is not
    // taken for one that went: opening the window fails and says so.
    bool previewUnwanted() const;
    static bool setupStillWanted(void* application);
    void initGLFW();
    void chooseWindowSize();
    // The desktop as it is now, for a full-screen run.
    DesktopCover currentDesktopCover() const;
    // A full-screen run follows a changed desktop: once told so, or when it
    // finds the desktop changed, looking at most once a second.
    void followDesktop(double now);
    void placeWindowOver(const DesktopCover& cover);
    // Opens the window and checks its OpenGL; false, with what to tell the
    // user in `failure`, when it cannot be used.
    bool openWindow(Failure& failure);
    // The window for the mode, or null: full screen, spanning every monitor,
    // or attached to the host's window.
    void createWindow();
    GLOffer plainContextOffer();
    void setupGLState();
    void setWindowIcon(GLFWwindow* window);
    void setSwapInterval(bool waitForVerticalBlank);
    // The primary monitor's current mode: its width for 0, its height for 1;
    // 0 when there is no monitor or mode to read.
    int primaryModeSize(int which) const;

    // The main loop's parts (main_loop.cpp).
    // One frame of the scene from the timer and the window's size; gives the
    // frame's time.
    double frame(double waitedSeconds, double pausedSeconds);
    // Waits, handling events, until the pacer lets the next frame start; gives
    // how long it waited.
    double waitForNextFrame();
    // Waits on events, drawing nothing, while no one can see the window;
    // gives how long.
    double pauseWhileUnseen();
    // Whether anyone could see the window: asked of the system at most a few
    // times a second, `now` on GLFW's timer.
    bool seenAt(double now);
    bool anyoneCanSee();
    // A host that disabled or destroyed its window sets the quit request.
    void quitIfHostGone();
    double frameInterval() const;
    int refreshRateOfWindow() const;

    const CommandLine& commandLine_;
    SceneHooks hooks_;
    SceneTimer timer_;  // the frame's clock: the hooks' timer, or GLFW's
    GLFWwindow* window_ = nullptr;
    std::string unusableGL_;
    NativeWindowHandle previewChild_ = 0;  // preview only: the window GLFW draws into
    bool hostWasEnabled_ = false;  // preview only: the host's window, when open() began
    WindowState windowState_;
    // What a full-screen run covers now, read again when the desktop changes.
    DesktopCover cover_;
    double desktopCheckedAt_ = 0.0;
    std::unique_ptr<Scene> scene_;
    FramePacer pacer_{0.0};
    std::optional<FineWaits> fineWaits_;
    std::unique_ptr<WindowVisibility> visibility_;
    bool seen_ = true;
    double seenCheckedAt_ = -1.0e300;
    FrameRateOverlay frameRateOverlay_;
};
