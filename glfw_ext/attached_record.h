/* The part of a GLFW window record for an attached native window that every
 * platform fills the same way, as glfwCreateWindow would: a new record at the
 * head of GLFW's window list, the video mode, and no monitor, size limits or
 * aspect ratio. Each platform adds the flags it reads from its window. */
#ifndef GLFW_EXT_ATTACHED_RECORD_H
#define GLFW_EXT_ATTACHED_RECORD_H

#include "internal.h"

_GLFWwindow* _glfwNewAttachedRecord(int width, int height, const _GLFWwndconfig* wndconfig,
                                    const _GLFWfbconfig* fbconfig);

#endif /* GLFW_EXT_ATTACHED_RECORD_H */
