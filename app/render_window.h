// One window of a run and what belongs to it: the GLFW window with its
// OpenGL context, its size, its scene (none for a window kept black), whether
// anyone can see it, and the time the scene was not drawn since its last
// frame. The one main loop draws every window in turn.
#pragma once

#include <memory>
#include <optional>

#include "app/time_between_frames.h"
#include "app/window_size.h"
#include "scene/scene_hooks.h"

// How often the system is asked whether anyone can see a window, while
// drawing and while paused: a paused run draws again within this of being seen.
constexpr double kVisibilityCheckSeconds = 0.25;

class Failure;
class Scene;
class WindowVisibility;
struct GLFWwindow;
struct UserSettings;

class RenderWindow {
  public:
    // Takes `window` over and installs the callbacks that end the run and
    // keep its size. A window without the water stays black.
    RenderWindow(GLFWwindow* window, bool showsWater);
    // The scene's GL objects go while its own context is current, then the window.
    ~RenderWindow();
    RenderWindow(const RenderWindow&) = delete;
    RenderWindow& operator=(const RenderWindow&) = delete;

    GLFWwindow* window() const { return window_; }
    bool showsWater() const { return showsWater_; }
    WindowState& state() { return state_; }
    void makeCurrent() const;

    // Starts watching whether anyone can see the window (once its OpenGL is
    // known to be usable).
    void watchVisibility();
    // Builds the water's scene in the window's context; false, with what went
    // wrong in `failure` or none when the hooks' gate said stop.
    bool setupScene(const SceneHooks& hooks, bool framebufferObjectsUsable,
                    const UserSettings& settings, Failure& failure);

    // Draws the scene's next frame into the window's back buffer, when the
    // window shows the water and anyone could see it at the last look; gives
    // the frame's time (read once from `timer`), or nothing when it did not
    // draw. A window that is skipped counts the time until it draws again as
    // paused, so its pictures' schedule stands still meanwhile.
    std::optional<double> drawFrame(SceneTimer timer);
    // A black window clears itself when it is new or the system lost its
    // contents, and is then left alone; says whether it cleared.
    bool paintBlackIfLost();
    // Time between frames that the loop chose not to draw: waited, of which paused.
    void addTimeBetweenFrames(double waited, double paused);

    // Whether anyone could see the window: asked of the system at most a few
    // times a second, `now` on GLFW's timer.
    bool seenAt(double now);
    bool anyoneCanSee();
    // The answer of a look made elsewhere (while the loop was paused).
    void takeSeen(bool seen, double now);

  private:
    GLFWwindow* window_;
    bool showsWater_;
    WindowState state_;
    std::unique_ptr<Scene> scene_;
    std::unique_ptr<WindowVisibility> visibility_;
    bool seen_ = true;
    double seenCheckedAt_ = -1.0e300;
    TimeBetweenFrames timeBetweenFrames_;
};
