/* glfwLetDisplaySleep and glfwIsDisplayOn on X11. Nothing to undo for sleep:
 * GLFW turns the X screen saver's timeout off for a full-screen window, but
 * display power (DPMS) stays with the X server's own settings. Whether the
 * display is on is DPMS's power level, asked of the server each time. */
#include "internal.h"

#include <X11/extensions/dpms.h>

#include "glfw_display_sleep.h"

GLFWAPI void glfwLetDisplaySleep(GLFWwindow* handle) {
    (void)handle;
    _GLFW_REQUIRE_INIT();
}

/* A server without DPMS, or with it disabled, never powers the display off. */
GLFWAPI int glfwIsDisplayOn(GLFWwindow* handle) {
    Display* display;
    int eventBase, errorBase;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;

    (void)handle;
    _GLFW_REQUIRE_INIT_OR_RETURN(GLFW_TRUE);
    display = _glfw.x11.display;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase) || !DPMSCapable(display))
        return GLFW_TRUE;
    if (!DPMSInfo(display, &level, &enabled) || !enabled)
        return GLFW_TRUE;
    return level == DPMSModeOn;
}

/* X tells of a changed screen through RandR events that GLFW takes for
 * itself; the program also compares the desktop's rectangle now and then. */
GLFWAPI int glfwTakeDisplayChange(GLFWwindow* handle) {
    (void)handle;
    _GLFW_REQUIRE_INIT_OR_RETURN(GLFW_FALSE);
    return GLFW_FALSE;
}
