// The functions GLFW calls for a window: any key or mouse button and a close
// message set the quit request, a new size or lost contents update the
// window's state (the WindowState its user pointer names), and the pointer
// and wheel are ignored. GLFW's errors go to glfw_error_report.h.
#pragma once

struct GLFWwindow;

void onWindowSize(GLFWwindow* window, int width, int height);
void onWindowRefresh(GLFWwindow* window);
void onWindowClose(GLFWwindow* window);
void onKey(GLFWwindow* window, int key, int scancode, int action, int mods);
void onMouseButton(GLFWwindow* window, int button, int action, int mods);
void onCursorPos(GLFWwindow* window, double x, double y);
void onScroll(GLFWwindow* window, double dx, double dy);
