/* What the program adds to GLFW for a screensaver's window and its display:
 * the display may power off as the user's power settings say (GLFW's Windows
 * backend keeps it on for every full-screen window), and the program can ask
 * whether the display is on and whether the desktop changed. Compiled into
 * GLFW itself (glfw_ext/), so it can use GLFW's internals. */
#ifndef GLFW_DISPLAY_SLEEP_H
#define GLFW_DISPLAY_SLEEP_H

#include <GLFW/glfw3.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Lets the display sleep while `window` is shown: on Windows the window's
 * SC_MONITORPOWER commands reach the default handling instead of being
 * swallowed, and the thread's execution state asks for neither display nor
 * system, now and after every time GLFW asks again (when the window is
 * restored or activated). The window also starts hearing of the display's
 * power and of changes to the desktop. Call it once, right after the window
 * is made, and again after glfwSetWindowMonitor or glfwSetWindowSize on a
 * full-screen window. Elsewhere it does nothing. */
GLFWAPI void glfwLetDisplaySleep(GLFWwindow* window);

/* GLFW_FALSE while the display is powered off (dimmed counts as on): on
 * Windows as the system last told the window (GLFW_TRUE until it says
 * otherwise), on X11 as DPMS reports it now. */
GLFWAPI int glfwIsDisplayOn(GLFWwindow* window);

/* GLFW_TRUE once after the system said the desktop's layout changed (Windows'
 * WM_DISPLAYCHANGE); not every change is told, so callers also look for
 * themselves now and then. */
GLFWAPI int glfwTakeDisplayChange(GLFWwindow* window);

#ifdef __cplusplus
}
#endif

#endif /* GLFW_DISPLAY_SLEEP_H */
