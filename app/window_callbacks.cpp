// Every key event (press, repeat or release, modifiers too) and every mouse
// button event ends the process at once, from inside glfwPollEvents.
#include "app/window_callbacks.h"

#include <GLFW/glfw3.h>

#include <cstdlib>

#include "app/window_size.h"
#include "platform/message_box.h"

void onGLFWError(int, const char* description) {
    showMessageBox(description != nullptr ? description : "", "Error");
}

void onWindowSize(GLFWwindow* window, int width, int height) {
    static_cast<WindowState*>(glfwGetWindowUserPointer(window))->resize(width, height);
}

void onKey(GLFWwindow*, int, int, int, int) {
    std::exit(0);
}

void onMouseButton(GLFWwindow*, int, int, int) {
    std::exit(0);
}

void onCursorPos(GLFWwindow*, double, double) {}

void onScroll(GLFWwindow*, double, double) {}
