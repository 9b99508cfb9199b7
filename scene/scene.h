// The water scene of one drawn window: built once before its first frame
// (setupScene), then drawn frame after frame from that frame's inputs
// (renderFrame). It owns its programs, quad, pictures, off-screen target,
// cell point table, statistics and schedule, and no window: the caller makes
// the window's context current, passes the size and time, and swaps.
#pragma once

#include <memory>

#include "platform/user_settings.h"
#include "scene/scene_hooks.h"

class Failure;

// What one frame is drawn from.
struct FrameInputs {
    double time = 0.0;  // the frame's one reading of the timer, in seconds
    int framebufferWidth = 0;
    int framebufferHeight = 0;
    float aspectRatio = 1.0f;  // width / height, kept from before while the height is 0
    // Since the previous frame: how long the program chose not to draw (pacing
    // and pauses together), which the frame statistics leave out, and how long
    // of that it was paused because no one could see the window, which the
    // pictures' schedule stands still for.
    double waitedSeconds = 0.0;
    double pausedSeconds = 0.0;
};

class Scene {
  public:
    // Builds the scene in the current context: pictures, programs, quad,
    // off-screen target and cell point table, first two pictures and the
    // first cross-fade. `framebufferObjectsUsable` says that the loaded
    // glGenFramebuffers family works (OpenGL 3.0, ARB_framebuffer_object, or
    // EXT_framebuffer_object's entry points in their places); without it the
    // scene calls none of them, builds neither target nor table, draws every
    // pixel's pattern in one pass, and its program works out every cell's
    // point per pixel. Gives null, with what went wrong in `failure`, when a picture, a
    // shader text or the quad cannot be used; null and no failure when the
    // hooks' set-up gate says stop. `settings` are what the user chose for
    // the water's speed and the pictures' schedule.
    static std::unique_ptr<Scene> setupScene(const SceneHooks& hooks, bool framebufferObjectsUsable,
                                             const UserSettings& settings, Failure& failure);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Draws one frame into framebuffer 0, then makes the one-time render-mode
    // decision when it is due and moves the background schedule on. Every
    // frame, the first too, computes the pattern at the size its look needs
    // (render_mode_decision.h); the first is left out of the statistics.
    void renderFrame(const FrameInputs& frame);

  private:
    struct State;
    explicit Scene(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};
