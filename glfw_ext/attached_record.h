/* What every platform's attached window shares: the GLFW window record, made
 * as glfwCreateWindow would make it (at the head of GLFW's window list, the
 * video mode, no monitor, size limits or aspect ratio), and the one list of
 * attached windows, whose detaching runs in place of the context's destroy
 * function. Each platform adds what it keeps of its native window. */
#ifndef GLFW_EXT_ATTACHED_RECORD_H
#define GLFW_EXT_ATTACHED_RECORD_H

#include "internal.h"

/* The first member of each platform's record, so that the list can hold any. */
typedef struct _GLFWattached {
    _GLFWwindow* window;
    /* The context's own destroy function; detaching runs in its place. */
    void (*destroyContext)(_GLFWwindow* window);
    struct _GLFWattached* next;
} _GLFWattached;

/* The window hints as glfwCreateWindow reads them. */
typedef struct _GLFWattachHints {
    _GLFWwndconfig window;
    _GLFWctxconfig context;
    _GLFWfbconfig framebuffer;
} _GLFWattachHints;

/* The current hints, with `share` as the window whose context the new one
 * shares; false (reported) for a share window without a context and for
 * impossible configurations. */
GLFWbool _glfwReadAttachHints(GLFWwindow* share, _GLFWattachHints* hints);

_GLFWwindow* _glfwNewAttachedRecord(int width, int height, const _GLFWwndconfig* wndconfig,
                                    const _GLFWfbconfig* fbconfig);

/* Puts `attached` (its window set) on the list, its detaching in front of
 * whatever destroy function the window's context has. */
void _glfwAddAttached(_GLFWattached* attached);

/* The same once more after a context was made: making one sets its own
 * destroy function. */
void _glfwGuardContextDestroy(_GLFWattached* attached);

/* The head of the list (NULL when no window is attached); follow `next`. */
_GLFWattached* _glfwAttachedWindows(void);

/* Each platform's: hands the native window back as it was before it was
 * attached and frees `attached`. Called from glfwDestroyWindow (glfwTerminate
 * too) once the record has left the list and the context is gone. */
void _glfwDetachNativeWindow(_GLFWattached* attached);

#endif /* GLFW_EXT_ATTACHED_RECORD_H */
