/* glfwAttachNativeWindow on Win32: a GLFW window record around a window that
 * the calling process already owns. GLFW's window procedure is installed on it
 * (subclassing) so that events, callbacks and glfwWindowShouldClose work as on
 * any GLFW window; destroying the GLFW window puts everything back. */
#include "internal.h"

#include "attached_record.h"

#include <stdlib.h>

#include "glfw_attach.h"

/* What an attached window had before GLFW took it over. */
typedef struct AttachedWindow {
    _GLFWattached shared; /* first, so that the shared list holds it */
    HWND handle;
    WNDPROC keptProc;
    HICON keptBigIcon;
    HICON keptSmallIcon;
} AttachedWindow;

/* With the handle cleared, GLFW does not call DestroyWindow on the window. */
void _glfwDetachNativeWindow(_GLFWattached* shared) {
    AttachedWindow* attached = (AttachedWindow*)shared;
    _GLFWwindow* window = shared->window;
    if (window->context.wgl.dc != NULL) {
        ReleaseDC(attached->handle, window->context.wgl.dc);
        window->context.wgl.dc = NULL;
    }
    /* GLFW frees the icons it set; the window must not keep pointing at them. */
    SendMessageW(attached->handle, WM_SETICON, ICON_BIG, (LPARAM)attached->keptBigIcon);
    SendMessageW(attached->handle, WM_SETICON, ICON_SMALL, (LPARAM)attached->keptSmallIcon);
    SetWindowLongPtrW(attached->handle, GWLP_WNDPROC, (LONG_PTR)attached->keptProc);
    RemovePropW(attached->handle, L"GLFW");
    window->win32.handle = NULL;
    free(attached);
}

static GLFWbool isUsableNativeWindow(HWND handle) {
    DWORD owner = 0;
    if (handle == NULL || !IsWindow(handle)) {
        _glfwInputError(GLFW_INVALID_VALUE, "Win32: Invalid native window %p", (void*)handle);
        return GLFW_FALSE;
    }
    GetWindowThreadProcessId(handle, &owner);
    if (owner != GetCurrentProcessId()) {
        /* Windows refuses to subclass another process's window. */
        _glfwInputError(GLFW_INVALID_VALUE, "Win32: Cannot attach to a window of another process");
        return GLFW_FALSE;
    }
    if (GetPropW(handle, L"GLFW") != NULL) {
        _glfwInputError(GLFW_INVALID_VALUE, "Win32: The window already has a GLFW window");
        return GLFW_FALSE;
    }
    return GLFW_TRUE;
}

/* GLFW's window procedure is the one of its window class. */
static WNDPROC glfwWindowProc(void) {
    WNDCLASSEXW windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(_glfw.win32.instance, _GLFW_WNDCLASSNAME, &windowClass)) {
        _glfwInputErrorWin32(GLFW_PLATFORM_ERROR, "Win32: Failed to find GLFW's window procedure");
        return NULL;
    }
    return windowClass.lpfnWndProc;
}

/* A record as glfwCreateWindow makes one, with the flags read from the window. */
static _GLFWwindow* newRecord(HWND handle, const _GLFWwndconfig* wndconfig,
                              const _GLFWfbconfig* fbconfig) {
    const LONG style = GetWindowLongW(handle, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(handle, GWL_EXSTYLE);
    RECT area;
    GetClientRect(handle, &area);

    _GLFWwindow* window =
        _glfwNewAttachedRecord(area.right - area.left, area.bottom - area.top, wndconfig, fbconfig);
    window->resizable = (style & WS_THICKFRAME) != 0;
    window->decorated = (style & (WS_BORDER | WS_THICKFRAME)) != 0;
    window->floating = (exStyle & WS_EX_TOPMOST) != 0;

    window->win32.handle = handle;
    window->win32.maximized = IsZoomed(handle) != 0;
    window->win32.iconified = IsIconic(handle) != 0;
    /* The size GLFW compares WM_SIZE against, so only a real change is reported. */
    window->win32.width = area.right - area.left;
    window->win32.height = area.bottom - area.top;
    return window;
}

/* Unlinks and frees a record that never got a native window or context. */
static void discardRecord(_GLFWwindow* window) {
    _GLFWwindow** link = &_glfw.windowListHead;
    while (*link != window) {
        link = &(*link)->next;
    }
    *link = window->next;
    free(window);
}

static GLFWbool createContext(_GLFWwindow* window, const _GLFWctxconfig* ctxconfig,
                              const _GLFWfbconfig* fbconfig) {
    switch (ctxconfig->source) {
        case GLFW_NATIVE_CONTEXT_API:
            return _glfwInitWGL() && _glfwCreateContextWGL(window, ctxconfig, fbconfig);
        case GLFW_EGL_CONTEXT_API:
            return _glfwInitEGL() && _glfwCreateContextEGL(window, ctxconfig, fbconfig);
        case GLFW_OSMESA_CONTEXT_API:
            return _glfwInitOSMesa() && _glfwCreateContextOSMesa(window, ctxconfig, fbconfig);
        default:
            return GLFW_FALSE;
    }
}

GLFWAPI GLFWwindow* glfwAttachNativeWindow(uintptr_t nativeWindow, GLFWwindow* share) {
    HWND handle = (HWND)nativeWindow;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    _GLFWattachHints hints;
    if (!_glfwReadAttachHints(share, &hints)) {
        return NULL;
    }
    if (!isUsableNativeWindow(handle)) {
        return NULL;
    }
    WNDPROC procedure = glfwWindowProc();
    if (procedure == NULL) {
        return NULL;
    }

    AttachedWindow* attached = calloc(1, sizeof(AttachedWindow));
    _GLFWwindow* window = newRecord(handle, &hints.window, &hints.framebuffer);
    attached->shared.window = window;
    attached->handle = handle;
    attached->keptBigIcon = (HICON)SendMessageW(handle, WM_GETICON, ICON_BIG, 0);
    attached->keptSmallIcon = (HICON)SendMessageW(handle, WM_GETICON, ICON_SMALL, 0);

    /* GLFW's window procedure finds its record through this property. */
    SetPropW(handle, L"GLFW", window);
    SetLastError(ERROR_SUCCESS);
    attached->keptProc = (WNDPROC)SetWindowLongPtrW(handle, GWLP_WNDPROC, (LONG_PTR)procedure);
    if (attached->keptProc == NULL && GetLastError() != ERROR_SUCCESS) {
        _glfwInputErrorWin32(GLFW_PLATFORM_ERROR, "Win32: Failed to subclass the window");
        RemovePropW(handle, L"GLFW");
        discardRecord(window);
        free(attached);
        return NULL;
    }
    _glfwAddAttached(&attached->shared);

    if (hints.context.client != GLFW_NO_API) {
        GLFWbool created = createContext(window, &hints.context, &hints.framebuffer);
        _glfwGuardContextDestroy(&attached->shared);
        if (!created) {
            /* The record stays in GLFW's list; glfwTerminate hands the window back. */
            return NULL;
        }
        if (!_glfwRefreshContextAttribs(window, &hints.context)) {
            glfwDestroyWindow((GLFWwindow*)window);
            return NULL;
        }
    }
    return (GLFWwindow*)window;
}
