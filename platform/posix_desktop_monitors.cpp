// The desktop's monitors as GLFW reads them from X (RandR, or Xinerama). With
// one monitor, the screen's own size stands for it: GLFW's idea of a mode may
// lag behind a screen resized under it (xrandr -s), the root window's does not.
#include <X11/Xlib.h>

#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>

#include "platform/desktop_monitors.h"

namespace {

bool readScreenSize(ScreenRect& screen) {
    Display* display = glfwGetX11Display();
    XWindowAttributes root{};
    if (display == nullptr || !XGetWindowAttributes(display, DefaultRootWindow(display), &root)) {
        return false;
    }
    screen = ScreenRect{0, 0, root.width, root.height};
    return true;
}

}  // namespace

std::vector<MonitorRefresh> monitorRefreshRates() {
    std::vector<MonitorRefresh> monitors;
    int count = 0;
    GLFWmonitor** all = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(all[i]);
        if (mode == nullptr) {
            continue;
        }
        MonitorRefresh monitor;
        glfwGetMonitorPos(all[i], &monitor.area.x, &monitor.area.y);
        monitor.area.width = mode->width;
        monitor.area.height = mode->height;
        monitor.refreshHz = mode->refreshRate;
        monitors.push_back(monitor);
    }
    return monitors;
}

std::vector<ScreenRect> desktopMonitors() {
    std::vector<ScreenRect> monitors;
    for (const MonitorRefresh& monitor : monitorRefreshRates()) {
        monitors.push_back(monitor.area);
    }
    ScreenRect screen;
    if (monitors.size() == 1 && readScreenSize(screen)) {
        monitors[0] = screen;
    }
    return monitors;
}
