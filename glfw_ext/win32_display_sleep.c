/* glfwLetDisplaySleep and glfwIsDisplayOn on Win32. GLFW asks for the display
 * (ES_CONTINUOUS | ES_DISPLAY_REQUIRED) whenever a full-screen window takes its
 * monitor, at creation and on every restore, and its window procedure answers
 * SC_MONITORPOWER and SC_SCREENSAVE with 0. A screensaver must not keep the
 * display lit: the window procedure is wrapped so that SC_MONITORPOWER goes to
 * DefWindowProc, and the execution state is cleared after each message on
 * which GLFW may have set it. SC_SCREENSAVE stays refused, as the system's own
 * screensaver library does, so a running screensaver is not started again.
 * The same wrapper keeps what the system says of the display: its power
 * (the console display state, sent as a power-setting notification) and
 * whether the desktop's layout changed (WM_DISPLAYCHANGE). Everything it keeps
 * lives in the window's own properties, so each window has its own. */
#include "internal.h"

#include "glfw_display_sleep.h"

/* GLFW's own window procedure, kept on the window it was taken from. */
static const WCHAR kGlfwProcProperty[] = L"GLFWDisplaySleepInnerProc";
/* The registration of the power-setting notification, to undo with the window. */
static const WCHAR kPowerNotifyProperty[] = L"GLFWDisplayPowerNotify";
/* Set while the system says the display is off. */
static const WCHAR kDisplayOffProperty[] = L"GLFWDisplayOff";
/* Set when the desktop changed since glfwTakeDisplayChange last looked. */
static const WCHAR kDisplayChangedProperty[] = L"GLFWDisplayChanged";

/* Declared by the SDK only for Windows Vista and later; GLFW's headers aim lower. */
#ifndef PBT_POWERSETTINGCHANGE
#define PBT_POWERSETTINGCHANGE 0x8013
typedef struct {
    GUID PowerSetting;
    DWORD DataLength;
    UCHAR Data[1];
} POWERBROADCAST_SETTING;
#endif
#define GP_DEVICE_NOTIFY_WINDOW_HANDLE 0

/* GUID_CONSOLE_DISPLAY_STATE: its data is 0 (off), 1 (on) or 2 (dimmed). */
static const GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

typedef HANDLE(WINAPI* RegisterPowerSettingNotificationProc)(HANDLE, LPCGUID, DWORD);
typedef BOOL(WINAPI* UnregisterPowerSettingNotificationProc)(HANDLE);

static void letDisplaySleep(void) {
    SetThreadExecutionState(ES_CONTINUOUS);
}

static FARPROC user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 != NULL ? GetProcAddress(user32, name) : NULL;
}

/* Looked up at run time: Windows XP has no power-setting notifications. */
static void askForDisplayPower(HWND handle) {
    RegisterPowerSettingNotificationProc registerNotification =
        (RegisterPowerSettingNotificationProc)user32Function("RegisterPowerSettingNotification");
    HANDLE registration;

    if (registerNotification == NULL || GetPropW(handle, kPowerNotifyProperty) != NULL)
        return;
    registration =
        registerNotification(handle, &kConsoleDisplayState, GP_DEVICE_NOTIFY_WINDOW_HANDLE);
    if (registration != NULL)
        SetPropW(handle, kPowerNotifyProperty, registration);
}

static void stopAskingForDisplayPower(HWND handle) {
    UnregisterPowerSettingNotificationProc unregisterNotification =
        (UnregisterPowerSettingNotificationProc)user32Function(
            "UnregisterPowerSettingNotification");
    HANDLE registration = RemovePropW(handle, kPowerNotifyProperty);

    if (registration != NULL && unregisterNotification != NULL)
        unregisterNotification(registration);
}

static void noteDisplayPower(HWND handle, const POWERBROADCAST_SETTING* setting) {
    if (setting == NULL || !IsEqualGUID(&setting->PowerSetting, &kConsoleDisplayState) ||
        setting->DataLength < 1)
        return;
    /* Dimmed still shows the picture. */
    if (setting->Data[0] == 0)
        SetPropW(handle, kDisplayOffProperty, (HANDLE)1);
    else
        RemovePropW(handle, kDisplayOffProperty);
}

static LRESULT CALLBACK displaySleepProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC glfwProc = (WNDPROC)GetPropW(handle, kGlfwProcProperty);
    LRESULT result;

    if (glfwProc == NULL)
        return DefWindowProcW(handle, message, wParam, lParam);
    if (message == WM_SYSCOMMAND && (wParam & 0xfff0) == SC_MONITORPOWER)
        return DefWindowProcW(handle, message, wParam, lParam);
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        noteDisplayPower(handle, (const POWERBROADCAST_SETTING*)lParam);
        return TRUE;
    }
    if (message == WM_DISPLAYCHANGE)
        SetPropW(handle, kDisplayChangedProperty, (HANDLE)1);

    result = CallWindowProcW(glfwProc, handle, message, wParam, lParam);
    switch (message) {
        case WM_SIZE: /* a restore takes the monitor again */
        case WM_ACTIVATE:
        case WM_SETFOCUS:
            letDisplaySleep();
            break;
        case WM_NCDESTROY:
            stopAskingForDisplayPower(handle);
            RemovePropW(handle, kDisplayOffProperty);
            RemovePropW(handle, kDisplayChangedProperty);
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
    askForDisplayPower(native);
    letDisplaySleep();
}

GLFWAPI int glfwIsDisplayOn(GLFWwindow* handle) {
    _GLFWwindow* window = (_GLFWwindow*)handle;

    _GLFW_REQUIRE_INIT_OR_RETURN(GLFW_TRUE);
    if (window == NULL)
        return GLFW_TRUE;
    return GetPropW(window->win32.handle, kDisplayOffProperty) == NULL;
}

GLFWAPI int glfwTakeDisplayChange(GLFWwindow* handle) {
    _GLFWwindow* window = (_GLFWwindow*)handle;

    _GLFW_REQUIRE_INIT_OR_RETURN(GLFW_FALSE);
    if (window == NULL)
        return GLFW_FALSE;
    return RemovePropW(window->win32.handle, kDisplayChangedProperty) != NULL;
}
