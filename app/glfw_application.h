// The application object: owns the one render window (full screen on the
// primary monitor, or attached to a child of the host's preview window), its
// OpenGL context and entry points, and the window's scene, and runs the main loop.
#pragma once

#include <memory>
#include <vector>

#include "app/window_size.h"
#include "scene/scene_hooks.h"

struct CommandLine;
class Failure;
class Scene;
struct GLFWwindow;

class GLFWApplication {
  public:
    // `hooks` go to the scene: the shipped program gives none.
    GLFWApplication(const CommandLine& commandLine, const SceneHooks& hooks);
    ~GLFWApplication();

    // Starts GLFW, sizes and opens the window and sets the fixed OpenGL
    // state. False, with "Failed to open window" in `failure`, when no window
    // can be opened; false and no failure when a preview's host is done with
    // it before its window is open.
    bool open(Failure& failure);

    // Sets the scene up and draws until Escape, a close request or (preview)
    // the host disabling its window, which also stops the set-up between its
    // steps; returns then. A scene that cannot be set up is handed back in
    // `failure`.
    void run(Failure& failure);

  private:
    // A preview whose host has disabled or destroyed its window since the
    // start is not wanted any more; the other modes are always wanted. A host
    // window that was never there (or a platform without previews) is not
    // taken for one that went: opening the window fails and says so.
    bool previewUnwanted() const;
    static bool setupStillWanted(void* application);
    void initGLFW();
    void chooseWindowSize();
    bool openWindow(Failure& failure);
    void setupGLState();
    void setWindowIcon(GLFWwindow* window);
    void setSwapInterval(bool waitForVerticalBlank);
    int windowsVersion() const;
    // The primary monitor's current mode: its width for 0, its height for 1;
    // 0 when there is no monitor or mode to read.
    int primaryModeSize(int which) const;
    // One frame of the scene from the timer and the window's size; gives the
    // frame's time.
    double frame();

    const CommandLine& commandLine_;
    SceneHooks hooks_;
    GLFWwindow* window_ = nullptr;
    bool hostWasEnabled_ = false;  // preview only: the host's window, when open() began
    WindowState windowState_;
    // With more than one monitor: the desktop that one borderless window
    // covers, rather than a full-screen window on the primary alone.
    bool spansMonitors_ = false;
    ScreenRect desktop_;
    std::unique_ptr<Scene> scene_;
};
