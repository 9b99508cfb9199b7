/* glfwLetDisplaySleep on Win32. GLFW asks for the display
 * (ES_CONTINUOUS | ES_DISPLAY_REQUIRED) whenever a full-screen window takes its
 * monitor, at creation and on every restore, and its window procedure answers
 * SC_MONITORPOWER and SC_SCREENSAVE with 0. A screensaver must not keep the
 * display lit: the window procedure is wrapped so that SC_MONITORPOWER goes to
 * DefWindowProc, and the execution state is cleared after each message on
 * which GLFW may have set it. SC_SCREENSAVE stays refused, as the system's own
 * screensaver library does, so a running screensaver is not started again. */
#include "internal.h"

#include "glfw_display_sleep.h"

/* GLFW's own window procedure, kept on the window it was taken from. */
static const WCHAR kGlfwProcProperty[] = L"GLFWDisplaySleepInnerProc";

static void letDisplaySleep(void) {
    SetThreadExecutionState(ES_CONTINUOUS);
}

static LRESULT CALLBACK displaySleepProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC glfwProc = (WNDPROC)GetPropW(handle, kGlfwProcProperty);
    LRESULT result;

    if (glfwProc == NULL)
        return DefWindowProcW(handle, message, wParam, lParam);
    if (message == WM_SYSCOMMAND && (wParam & 0xfff0) == SC_MONITORPOWER)
        return DefWindowProcW(handle, message, wParam, lParam);

    result = CallWindowProcW(glfwProc, handle, message, wParam, lParam);
    switch (message) {
        case WM_SIZE: /* a restore takes the monitor again */
        case WM_ACTIVATE:
        case WM_SETFOCUS:
            letDisplaySleep();
            break;
        case WM_NCDESTROY:
            RemovePropW(handle, kGlfwProcProperty);
            break;
    }
    return result;
}

GLFWAPI void glfwLetDisplaySleep(GLFWwindow* handle) {
    _GLFWwindow* window = (_GLFWwindow*)handle;
    HWND native;

    _GLFW_REQUIRE_INIT();
    if (window == NULL)
        return;

    native = window->win32.handle;
    if (GetPropW(native, kGlfwProcProperty) == NULL) {
        HANDLE glfwProc = (HANDLE)GetWindowLongPtrW(native, GWLP_WNDPROC);
        SetPropW(native, kGlfwProcProperty, glfwProc);
        SetWindowLongPtrW(native, GWLP_WNDPROC, (LONG_PTR)displaySleepProc);
    }
    letDisplaySleep();
}
