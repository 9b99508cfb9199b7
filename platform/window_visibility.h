// Whether anyone could see a window of the program's now: it and the windows
// it sits in are shown and none of them is minimised, and, on X, it is not
// wholly covered by other windows. The main loop pauses while it is not.
// Cheap enough to ask a few times a second.
#pragma once

#include <memory>

#include "platform/host_window.h"

struct GLFWwindow;

// The native window behind a GLFW window (an HWND, or an X window id).
NativeWindowHandle nativeWindowOf(GLFWwindow* window);

class WindowVisibility {
  public:
    explicit WindowVisibility(NativeWindowHandle window);
    ~WindowVisibility();
    WindowVisibility(const WindowVisibility&) = delete;
    WindowVisibility& operator=(const WindowVisibility&) = delete;

    bool seen();

  private:
    struct Watch;
    std::unique_ptr<Watch> watch_;
};
