// Whether a window can be seen, on Windows: it is visible (which asks every
// window it sits in too) and neither it nor its top-level window is
// minimised. For the preview that top-level window is the Settings page, in
// another process. Covered windows are not looked for.
#include <windows.h>

#define GLFW_EXPOSE_NATIVE_WIN32
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include "platform/window_visibility.h"

struct WindowVisibility::Watch {
    HWND window;
};

NativeWindowHandle nativeWindowOf(GLFWwindow* window) {
    return reinterpret_cast<NativeWindowHandle>(glfwGetWin32Window(window));
}

WindowVisibility::WindowVisibility(NativeWindowHandle window)
    : watch_(new Watch{reinterpret_cast<HWND>(window)}) {}

WindowVisibility::~WindowVisibility() = default;

bool WindowVisibility::seen() {
    HWND window = watch_->window;
    if (!IsWindowVisible(window) || IsIconic(window)) {
        return false;
    }
    HWND topLevel = GetAncestor(window, GA_ROOT);
    return topLevel == nullptr || !IsIconic(topLevel);
}
