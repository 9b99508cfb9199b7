/* What the program adds to GLFW's public interface: a GLFW window built around
 * a native window that already exists (the screensaver's preview). It is
 * compiled into GLFW itself (glfw_ext/), so it can use GLFW's internals. */
#ifndef GLFW_ATTACH_H
#define GLFW_ATTACH_H

#include <stdint.h>

#include <GLFW/glfw3.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Builds a GLFW window record for `nativeWindow` (an HWND of the calling
 * process on Windows) with the current window hints, and a context on it when
 * the hints ask for one; `share` as for glfwCreateWindow. No native window is
 * created: the window keeps its parent, position, size and visibility.
 * glfwDestroyWindow hands the native window back untouched (it is not
 * destroyed). Returns NULL, with the reason sent to the error callback, when
 * it cannot attach; where the platform has no attach, it always refuses. */
GLFWAPI GLFWwindow* glfwAttachNativeWindow(uintptr_t nativeWindow, GLFWwindow* share);

#ifdef __cplusplus
}
#endif

#endif /* GLFW_ATTACH_H */
