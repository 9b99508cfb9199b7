// The application object: owns the render windows (one full screen on the
// primary monitor, one spanning every monitor, one on each monitor as the
// user chose, or one attached to a window it is given), their OpenGL
// contexts and scenes, and the entry points, and runs the one main loop that
// draws them all. Every run ends the same way: the loop sees the quit
// request, and the destructor takes the scenes, the windows and GLFW down.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frame_pacer.h"
#include "app/frame_rate_overlay.h"
#include "app/render_window.h"
#include "app/window_size.h"
#include "gfx/gl_capabilities.h"
#include "platform/fine_waits.h"
#include "platform/host_window.h"
#include "scene/scene_hooks.h"

struct CommandLine;
class Failure;
struct GLFWwindow;

class GLFWApplication {
  public:
    // `hooks` go to the scene: the shipped program gives none.
    GLFWApplication(const CommandLine& commandLine, const SceneHooks& hooks);
    // Puts back what the run changed: each scene's GL objects go while its
    // context is current, then its window (an attached one is handed back as
    // it was found), then GLFW, which restores the session's settings.
    ~GLFWApplication();
    GLFWApplication(const GLFWApplication&) = delete;
    GLFWApplication& operator=(const GLFWApplication&) = delete;

    // Starts GLFW, sizes and opens the windows and sets their fixed OpenGL
    // state. False, with "Failed to open window" in `failure`, when the first
    // window cannot be opened (a further monitor's is left out); false and no
    // failure when a preview's host is done with it before its window is
    // open, or when the display's OpenGL cannot draw the water (unusableGL()
    // then says why).
    bool open(Failure& failure);

    // Sets the scenes up and draws until the quit request is set (a key, a
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
    // The windows that cover the desktop as it is now, for a full-screen run.
    std::vector<CoverWindow> currentCoverWindows() const;
    DesktopCover desktopCover(const std::vector<ScreenRect>& monitors) const;
    // A full-screen run follows a changed desktop: once told so, or when it
    // finds the desktop changed, looking at most once a second. Windows are
    // moved where they can be, and made or closed where monitors came or went.
    void followDesktop(double now, Failure& failure);
    void placeWindowOver(GLFWwindow* window, const ScreenRect& area);
    // Opens the first window and checks its OpenGL; false, with what to tell
    // the user in `failure`, when it cannot be used.
    bool openWindow(Failure& failure);
    // The window for the mode, or null: full screen, over `where`, or
    // attached to the host's window.
    GLFWwindow* createWindow(const CoverWindow& where);
    // A further window with the water or black over `where`, set up for
    // drawing, its scene built when the loop runs; false when it could not be made.
    bool addWindow(const CoverWindow& where);
    GLOffer plainContextOffer();
    void setupGLState(RenderWindow& window);
    // Only the first window waits for the vertical blank: one loop swapping
    // several windows that each wait would divide the frame rate.
    void setSwapIntervals();
    bool setupScene(RenderWindow& window, Failure& failure);
    void setWindowIcon(GLFWwindow* window);
    void setSwapInterval(bool waitForVerticalBlank);
    // The primary monitor's current mode: its width for 0, its height for 1;
    // 0 when there is no monitor or mode to read.
    int primaryModeSize(int which) const;

    // The main loop's parts (main_loop.cpp).
    // One frame of every window anyone can see, then every drawn one shown.
    void drawAndShowFrames();
    // Tells every window how long the loop waited, of which paused.
    void addTimeBetweenFrames(double waited, double paused);
    // Waits, handling events, until the pacer lets the next frame start; gives
    // how long it waited.
    double waitForNextFrame();
    // Waits on events, drawing nothing, while no one can see any window with
    // the water; gives how long.
    double pauseWhileUnseen();
    // Whether anyone could see one of the windows with the water, each asked
    // at most a few times a second, `now` on GLFW's timer.
    bool anySeenAt(double now);
    // A host that disabled or destroyed its window sets the quit request.
    void quitIfHostGone();
    double frameInterval() const;
    int refreshRateOfWindow() const;

    const CommandLine& commandLine_;
    SceneHooks hooks_;
    SceneTimer timer_;       // the frame's clock: the hooks' timer, or GLFW's
    SceneHooks sceneHooks_;  // what each scene is given
    std::string unusableGL_;
    NativeWindowHandle previewChild_ = 0;  // preview only: the window GLFW draws into
    bool hostWasEnabled_ = false;          // preview only: the host's window, when open() began
    ClientSize hostSize_;                  // preview only
    // The windows a full-screen run covers the desktop with now, read again
    // when the desktop changes, and the windows themselves, the first on the
    // main monitor.
    std::vector<CoverWindow> cover_;
    std::vector<std::unique_ptr<RenderWindow>> windows_;
    // The windows drawn in this pass, kept between passes so a frame allocates nothing.
    std::vector<RenderWindow*> drawnThisPass_;
    double desktopCheckedAt_ = 0.0;
    FramePacer pacer_{0.0};
    std::optional<FineWaits> fineWaits_;
    FrameRateOverlay frameRateOverlay_;
};
