/* glfwAttachNativeWindow on X11: not available yet, so preview mode on Linux
 * ends with a clear message instead of a window. */
#include "internal.h"

#include "glfw_attach.h"

GLFWAPI GLFWwindow* glfwAttachNativeWindow(uintptr_t nativeWindow, GLFWwindow* share) {
    (void)nativeWindow;
    (void)share;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    _glfwInputError(GLFW_PLATFORM_ERROR,
                    "X11: Attaching to an existing window is not supported, "
                    "so there is no preview on this system");
    return NULL;
}
