/* The shared part of an attached window's record (see attached_record.h). */
#include "attached_record.h"

#include <stdlib.h>

_GLFWwindow* _glfwNewAttachedRecord(int width, int height, const _GLFWwndconfig* wndconfig,
                                    const _GLFWfbconfig* fbconfig) {
    _GLFWwindow* window = calloc(1, sizeof(_GLFWwindow));
    window->next = _glfw.windowListHead;
    _glfw.windowListHead = window;

    window->videoMode.width = width;
    window->videoMode.height = height;
    window->videoMode.redBits = fbconfig->redBits;
    window->videoMode.greenBits = fbconfig->greenBits;
    window->videoMode.blueBits = fbconfig->blueBits;
    window->videoMode.refreshRate = _glfw.hints.refreshRate;

    window->monitor = NULL;
    window->autoIconify = wndconfig->autoIconify;
    window->focusOnShow = wndconfig->focusOnShow;
    window->cursorMode = GLFW_CURSOR_NORMAL;
    window->doublebuffer = fbconfig->doublebuffer;

    window->minwidth = GLFW_DONT_CARE;
    window->minheight = GLFW_DONT_CARE;
    window->maxwidth = GLFW_DONT_CARE;
    window->maxheight = GLFW_DONT_CARE;
    window->numer = GLFW_DONT_CARE;
    window->denom = GLFW_DONT_CARE;
    return window;
}
