/* glfwLetDisplaySleep on X11: nothing to undo. GLFW turns the X screen saver's
 * timeout off for a full-screen window, but display power (DPMS) stays with
 * the X server's own settings. */
#include "internal.h"

#include "glfw_display_sleep.h"

GLFWAPI void glfwLetDisplaySleep(GLFWwindow* handle) {
    (void)handle;
    _GLFW_REQUIRE_INIT();
}
