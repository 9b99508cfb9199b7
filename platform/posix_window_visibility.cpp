// Whether a window can be seen, on X: it is viewable (mapped, and so is every
// window it sits in) and the last word on it was not "fully obscured". That
// word comes as VisibilityNotify events, which GLFW would take and drop on its
// own connection, so they are selected and read on a connection of ours.
// Under a compositing manager every window counts as unobscured.
#include <X11/Xlib.h>

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include "platform/window_visibility.h"

struct WindowVisibility::Watch {
    Display* display = nullptr;  // ours, for the window's visibility events
    Window window = 0;
    bool fullyObscured = false;

    void readEvents();
};

NativeWindowHandle nativeWindowOf(GLFWwindow* window) {
    return static_cast<NativeWindowHandle>(glfwGetX11Window(window));
}

void WindowVisibility::Watch::readEvents() {
    while (display != nullptr && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == VisibilityNotify && event.xvisibility.window == window) {
            fullyObscured = event.xvisibility.state == VisibilityFullyObscured;
        }
    }
}

WindowVisibility::WindowVisibility(NativeWindowHandle window) : watch_(new Watch) {
    watch_->window = static_cast<Window>(window);
    Display* shared = glfwGetX11Display();
    if (shared == nullptr || window == 0) {
        return;
    }
    watch_->display = XOpenDisplay(DisplayString(shared));
    if (watch_->display != nullptr) {
        // Any client may ask for a window's visibility events.
        XSelectInput(watch_->display, watch_->window, VisibilityChangeMask);
        XFlush(watch_->display);
    }
}

WindowVisibility::~WindowVisibility() {
    if (watch_->display != nullptr) {
        XCloseDisplay(watch_->display);
    }
}

bool WindowVisibility::seen() {
    watch_->readEvents();
    return !watch_->fullyObscured && isWindowShown(watch_->window);
}
