/* What the program adds to GLFW for a screensaver's full-screen window: the
 * display may power off as the user's power settings say. GLFW's Windows
 * backend keeps it on for every full-screen window. Compiled into GLFW itself
 * (glfw_ext/), so it can use GLFW's internals. */
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
 * restored or activated). Call it once, right after the window is made, and
 * again after glfwSetWindowMonitor or glfwSetWindowSize on a full-screen
 * window. Elsewhere it does nothing. */
GLFWAPI void glfwLetDisplaySleep(GLFWwindow* window);

#ifdef __cplusplus
}
#endif

#endif /* GLFW_DISPLAY_SLEEP_H */
