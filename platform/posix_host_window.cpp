// The window the program is handed on Linux: XScreenSaver's window, a settings
// dialog's preview pane, a window of the user's choice or the root window. X
// lets any client draw into any window, so the program draws into that window
// itself, on its own visual; it is read through GLFW's display connection.
#include <X11/Xlib.h>

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include "platform/host_window.h"

namespace {

// The error of the last request made through readAttributes. Xlib's error
// handler gets no user pointer, so it can only leave the code here.
int lastErrorCode = Success;

int recordError(Display*, XErrorEvent* event) {
    lastErrorCode = event->error_code;
    return 0;
}

// The window's attributes; false when there is no display or no such window
// (without Xlib's default handler, which would end the process).
bool readAttributes(NativeWindowHandle host, XWindowAttributes* attributes) {
    Display* display = glfwGetX11Display();
    if (display == nullptr || host == 0) {
        return false;
    }
    lastErrorCode = Success;
    XErrorHandler kept = XSetErrorHandler(recordError);
    Status found = XGetWindowAttributes(display, static_cast<Window>(host), attributes);
    XSetErrorHandler(kept);
    return found != 0 && lastErrorCode == Success;
}

}  // namespace

ClientSize hostClientSize(NativeWindowHandle host) {
    XWindowAttributes attributes{};
    if (!readAttributes(host, &attributes)) {
        return ClientSize{};
    }
    return ClientSize{attributes.width, attributes.height};
}

// X has no disabled windows: the host is done with us once its window is gone.
bool isHostWindowEnabled(NativeWindowHandle host) {
    XWindowAttributes attributes{};
    return readAttributes(host, &attributes);
}

bool isWindowShown(NativeWindowHandle window) {
    XWindowAttributes attributes{};
    return readAttributes(window, &attributes) && attributes.map_state == IsViewable;
}

NativeWindowHandle createPreviewChild(NativeWindowHandle host) {
    return host;
}

void destroyPreviewChild(NativeWindowHandle) {}

// Asked before GLFW starts, so through a connection of its own; the root
// window's id is the same on every connection to the display.
NativeWindowHandle screenRootWindow() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 0;
    }
    NativeWindowHandle root = DefaultRootWindow(display);
    XCloseDisplay(display);
    return root;
}

// The connection is never closed: closing it would destroy the window. A
// window manager's close button ends that connection (there is no
// WM_DELETE_WINDOW protocol to answer), which destroys the window and so ends
// the run drawing into it.
NativeWindowHandle createOwnWindow(int width, int height, const char* title) {
    static Display* display = nullptr;
    if (display == nullptr) {
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        return 0;
    }
    int screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, title);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}
