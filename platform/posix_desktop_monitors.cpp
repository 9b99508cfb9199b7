// The desktop's monitors as GLFW reads them from X (RandR, or Xinerama).
#include <GLFW/glfw3.h>

#include "platform/desktop_monitors.h"

std::vector<ScreenRect> desktopMonitors() {
    std::vector<ScreenRect> monitors;
    int count = 0;
    GLFWmonitor** all = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(all[i]);
        if (mode == nullptr) {
            continue;
        }
        ScreenRect rect;
        glfwGetMonitorPos(all[i], &rect.x, &rect.y);
        rect.width = mode->width;
        rect.height = mode->height;
        monitors.push_back(rect);
    }
    return monitors;
}
