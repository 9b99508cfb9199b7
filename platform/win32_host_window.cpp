// The host's preview window on Windows. The program never draws into the
// host's window itself: that window belongs to another process, which Windows
// does not let us subclass. It draws into a child window of its own instead.
#include <windows.h>

#include "platform/host_window.h"

namespace {

const char kPreviewClassName[] = "GlimmerpondPreviewChild";

HWND toHwnd(NativeWindowHandle handle) {
    return reinterpret_cast<HWND>(handle);
}

bool registerPreviewClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    // An own device context keeps the pixel format that OpenGL sets on it.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kPreviewClassName;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

ClientSize hostClientSize(NativeWindowHandle host) {
    RECT rect{};
    GetClientRect(toHwnd(host), &rect);
    return ClientSize{rect.right - rect.left, rect.bottom - rect.top};
}

bool isHostWindowEnabled(NativeWindowHandle host) {
    return IsWindowEnabled(toHwnd(host)) != FALSE;
}

bool isWindowShown(NativeWindowHandle window) {
    return IsWindowVisible(toHwnd(window)) != FALSE;
}

NativeWindowHandle createPreviewChild(NativeWindowHandle host) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!IsWindow(toHwnd(host)) || !registerPreviewClass(instance)) {
        return 0;
    }
    ClientSize size = hostClientSize(host);
    HWND child = CreateWindowExA(0, kPreviewClassName, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                 size.width, size.height, toHwnd(host), nullptr, instance, nullptr);
    return reinterpret_cast<NativeWindowHandle>(child);
}

void destroyPreviewChild(NativeWindowHandle child) {
    if (child != 0) {
        DestroyWindow(toHwnd(child));
    }
}

NativeWindowHandle screenRootWindow() {
    return reinterpret_cast<NativeWindowHandle>(GetDesktopWindow());
}

NativeWindowHandle createOwnWindow(int, int, const char*) {
    return 0;
}
