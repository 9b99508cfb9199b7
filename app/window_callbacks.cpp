// Every key event (press, repeat or release, modifiers too), every mouse
// button event and a close message ask the run to end; the main loop sees the
// request after the events of this pass and ends the run in order. A window
// whose contents the system lost is marked, for windows drawn only once.
#include "app/window_callbacks.h"

#include <GLFW/glfw3.h>

#include "app/window_size.h"
#include "platform/quit_request.h"

void onWindowSize(GLFWwindow* window, int width, int height) {
    static_cast<WindowState*>(glfwGetWindowUserPointer(window))->resize(width, height);
}

void onWindowRefresh(GLFWwindow* window) {
    static_cast<WindowState*>(glfwGetWindowUserPointer(window))->contentsLost = true;
}

void onWindowClose(GLFWwindow*) {
    requestQuit();
}

void onKey(GLFWwindow*, int, int, int, int) {
    requestQuit();
}

void onMouseButton(GLFWwindow*, int, int, int) {
    requestQuit();
}

void onCursorPos(GLFWwindow*, double, double) {}

void onScroll(GLFWwindow*, double, double) {}
