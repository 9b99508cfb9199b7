// A global CBT hook that refuses to create GLFW's hidden helper window, the
// one window glfwInit needs; every other window is created as usual.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    refuseGLFWHelperWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t className[64] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 64);
        if (lstrcmpW(className, L"GLFW30") == 0) {
            return 1;  // creation fails
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
