/* The shared part of an attached window's record and the list of attached
 * windows (see attached_record.h). */
#include "attached_record.h"

#include <stdlib.h>

/* GLFW calls a context's destroy function with the window alone, and Xlib's
 * error handler gets no user pointer either: both find a window's record only
 * through this list. Touched only on the thread that owns GLFW, where Xlib
 * also calls its error handler. */
static _GLFWattached* attachedWindows = NULL;

GLFWbool _glfwReadAttachHints(GLFWwindow* share, _GLFWattachHints* hints) {
    hints->window = _glfw.hints.window;
    hints->context = _glfw.hints.context;
    hints->framebuffer = _glfw.hints.framebuffer;
    hints->context.share = (_GLFWwindow*)share;
    return _glfwIsValidContextConfig(&hints->context);
}

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

static _GLFWattached* takeAttached(_GLFWwindow* window) {
    _GLFWattached** link = &attachedWindows;
    while (*link != NULL && (*link)->window != window) {
        link = &(*link)->next;
    }
    _GLFWattached* found = *link;
    if (found != NULL) {
        *link = found->next;
    }
    return found;
}

/* GLFW destroys a window's context right before the native window. For an
 * attached window this is where the native window is handed back instead. */
static void detachAttached(_GLFWwindow* window) {
    _GLFWattached* attached = takeAttached(window);
    if (attached == NULL) {
        return;
    }
    if (attached->destroyContext != NULL) {
        attached->destroyContext(window);
    }
    _glfwDetachNativeWindow(attached);
}

void _glfwGuardContextDestroy(_GLFWattached* attached) {
    _GLFWwindow* window = attached->window;
    if (window->context.destroy != detachAttached) {
        attached->destroyContext = window->context.destroy;
        window->context.destroy = detachAttached;
    }
}

void _glfwAddAttached(_GLFWattached* attached) {
    attached->next = attachedWindows;
    attachedWindows = attached;
    _glfwGuardContextDestroy(attached);
}

_GLFWattached* _glfwAttachedWindows(void) {
    return attachedWindows;
}
