// glfwAttachNativeWindow in one process: a GLFW window around native windows
// of this program (a top-level window and a child, as the preview uses),
// drawn into and read back, then handed back untouched by glfwDestroyWindow.
// Prints each case and "FAIL ..." lines; the exit code counts the failures.
#include <windows.h>

#include <GLFW/glfw3.h>
#include <glfw_attach.h>

#include <cstdio>
#include <string>

#include "gfx/gl.h"
#include "gfx/gl_loader.h"
#include "tests/e2e/win32_checks.h"

namespace {

int lastErrorCode = 0;
int nativeMessages = 0;  // WM_APP messages that reached the window's own procedure
int lastKey = 0;
int lastButton = -1;
int lastMaximized = -1;
int lastIconified = -1;

void recordError(int code, const char* description) {
    lastErrorCode = code;
    std::printf("  (GLFW error 0x%x: %s)\n", code, description);
}

LRESULT CALLBACK nativeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++nativeMessages;
        return 7;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void registerNativeClass() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;  // keeps the pixel format OpenGL sets on it
    windowClass.lpfnWndProc = nativeProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NativeTestWindow";
    RegisterClassW(&windowClass);
}

HWND makeNative(DWORD style, DWORD exStyle = 0, HWND parent = nullptr, int x = 30, int y = 40) {
    return CreateWindowExW(exStyle, L"NativeTestWindow", L"native", style, x, y, 200, 150, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

WNDPROC currentProcedure(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

WNDPROC glfwProcedure() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    GetClassInfoExW(GetModuleHandleW(nullptr), L"GLFW30", &windowClass);
    return windowClass.lpfnWndProc;
}

// Everything about a native window that attaching must leave as it was.
struct NativeState {
    HWND parent;
    RECT frame;
    BOOL visible;
    bool operator==(const NativeState& other) const {
        return parent == other.parent && EqualRect(&frame, &other.frame) &&
               visible == other.visible;
    }
};

NativeState stateOf(HWND window) {
    NativeState state{GetAncestor(window, GA_PARENT), {}, IsWindowVisible(window)};
    GetWindowRect(window, &state.frame);
    return state;
}

int countWindowsOfThisProcess() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            *reinterpret_cast<int*>(param) += owner == GetCurrentProcessId() ? 1 : 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

GLFWwindow* attach(HWND window, GLFWwindow* share = nullptr) {
    lastErrorCode = 0;
    return glfwAttachNativeWindow(reinterpret_cast<std::uintptr_t>(window), share);
}

void begin(const char* name) {
    std::printf("case %s\n", name);
    std::fflush(stdout);
    glfwDefaultWindowHints();
}

// Clears the left and right halves to two colours through the window's own
// framebuffer and reads the back buffer at both.
void checkDrawingReadsBack(GLFWwindow* window, int width, int height) {
    glfwMakeContextCurrent(window);
    loadGL();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    CHECK(viewport[2] == width && viewport[3] == height);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width / 2, height);
    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(width / 2, 0, width - width / 2, height);
    glClearColor(0.0f, 0.25f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glFinish();
    unsigned char left[4] = {};
    unsigned char right[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(width / 4, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, left);
    glReadPixels(3 * width / 4, height / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, right);
    std::printf("  read back left %d %d %d, right %d %d %d\n", left[0], left[1], left[2], right[0],
                right[1], right[2]);
    CHECK(left[0] == 255 && left[1] >= 127 && left[1] <= 128 && left[2] == 0);
    CHECK(right[0] == 0 && right[1] >= 63 && right[1] <= 64 && right[2] == 255);
    glfwSwapBuffers(window);
    glfwMakeContextCurrent(nullptr);
}

void refusesBeforeInit() {
    begin("refuses before glfwInit");
    HWND native = makeNative(WS_OVERLAPPEDWINDOW);
    CHECK(attach(native) == nullptr);
    CHECK(lastErrorCode == GLFW_NOT_INITIALIZED);
    CHECK(GetPropW(native, L"GLFW") == nullptr);
    DestroyWindow(native);
}

void attachesTopLevelWindowAndHandsItBack() {
    begin("top-level window: attach, events, draw, destroy");
    HWND native = makeNative(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    NativeState before = stateOf(native);
    int windowsBefore = countWindowsOfThisProcess();
    WNDPROC ownProcedure = currentProcedure(native);
    CHECK(ownProcedure == nativeProcedure);

    glfwWindowHint(GLFW_AUTO_ICONIFY, GLFW_FALSE);
    GLFWwindow* window = attach(native);
    if (!CHECK(window != nullptr)) {
        return;
    }
    CHECK(GetPropW(native, L"GLFW") == window);
    CHECK(currentProcedure(native) == glfwProcedure());
    CHECK(countWindowsOfThisProcess() == windowsBefore);  // no native window of its own
    CHECK(stateOf(native) == before);
    CHECK(glfwGetWindowAttrib(window, GLFW_RESIZABLE) == GLFW_TRUE);
    CHECK(glfwGetWindowAttrib(window, GLFW_DECORATED) == GLFW_TRUE);
    CHECK(glfwGetWindowAttrib(window, GLFW_FLOATING) == GLFW_FALSE);
    CHECK(glfwGetWindowAttrib(window, GLFW_AUTO_ICONIFY) == GLFW_FALSE);
    CHECK(glfwGetInputMode(window, GLFW_CURSOR) == GLFW_CURSOR_NORMAL);
    CHECK(glfwGetWindowAttrib(window, GLFW_CLIENT_API) == GLFW_OPENGL_API);

    // Input and close requests now go through GLFW.
    glfwSetKeyCallback(window, [](GLFWwindow*, int key, int, int, int) { lastKey = key; });
    glfwSetMouseButtonCallback(window,
                               [](GLFWwindow*, int button, int, int) { lastButton = button; });
    PostMessageW(native, WM_KEYDOWN, 'A', 0x001E0001);  // scancode of A
    PostMessageW(native, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    glfwPollEvents();
    CHECK(lastKey == GLFW_KEY_A);
    CHECK(lastButton == GLFW_MOUSE_BUTTON_LEFT);
    SendMessageW(native, WM_CLOSE, 0, 0);
    CHECK(glfwWindowShouldClose(window) == GLFW_TRUE);
    CHECK(IsWindow(native));
    // What GLFW does not handle goes to the default procedure, not the kept one.
    CHECK(SendMessageW(native, WM_APP, 0, 0) == 0);
    CHECK(nativeMessages == 0);

    RECT area{};
    GetClientRect(native, &area);
    checkDrawingReadsBack(window, area.right, area.bottom);

    unsigned char pixels[16 * 16 * 4] = {};
    GLFWimage icon{16, 16, pixels};
    glfwSetWindowIcon(window, 1, &icon);
    glfwDestroyWindow(window);
    CHECK(IsWindow(native));
    CHECK(GetPropW(native, L"GLFW") == nullptr);
    CHECK(currentProcedure(native) == ownProcedure);
    CHECK(SendMessageW(native, WM_GETICON, ICON_BIG, 0) == 0);
    CHECK(stateOf(native) == before);
    CHECK(SendMessageW(native, WM_APP, 0, 0) == 7);
    CHECK(nativeMessages == 1);
    DestroyWindow(native);
}

void attachesChildWindow() {
    begin("child window of a native parent, as the preview");
    HWND parent = makeNative(WS_POPUP | WS_VISIBLE, 0, nullptr, 250, 40);
    HWND child = makeNative(WS_CHILD | WS_VISIBLE, 0, parent, 0, 0);
    NativeState before = stateOf(child);
    GLFWwindow* window = attach(child);
    if (!CHECK(window != nullptr)) {
        return;
    }
    CHECK(GetAncestor(child, GA_PARENT) == parent);
    CHECK(glfwGetWindowAttrib(window, GLFW_DECORATED) == GLFW_FALSE);
    CHECK(glfwGetWindowAttrib(window, GLFW_RESIZABLE) == GLFW_FALSE);
    checkDrawingReadsBack(window, 200, 150);
    glfwDestroyWindow(window);
    CHECK(currentProcedure(child) == nativeProcedure);
    CHECK(stateOf(child) == before);
    DestroyWindow(parent);
}

void derivesFlagsFromStyles() {
    begin("flags from styles");
    HWND topmost = makeNative(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
    HWND bordered = makeNative(WS_POPUP | WS_BORDER | WS_VISIBLE);
    glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
    GLFWwindow* floating = attach(topmost);
    GLFWwindow* decorated = attach(bordered);
    if (CHECK(floating != nullptr && decorated != nullptr)) {
        CHECK(glfwGetWindowAttrib(floating, GLFW_FLOATING) == GLFW_TRUE);
        CHECK(glfwGetWindowAttrib(floating, GLFW_DECORATED) == GLFW_FALSE);
        CHECK(glfwGetWindowAttrib(decorated, GLFW_DECORATED) == GLFW_TRUE);
        CHECK(glfwGetWindowAttrib(decorated, GLFW_RESIZABLE) == GLFW_FALSE);
        glfwDestroyWindow(floating);
        glfwDestroyWindow(decorated);
    }
    DestroyWindow(topmost);
    DestroyWindow(bordered);
}

void readsMaximizedAndIconifiedStates() {
    begin("maximized and iconified states");
    HWND maximized = makeNative(WS_OVERLAPPEDWINDOW);
    HWND iconified = makeNative(WS_OVERLAPPEDWINDOW);
    ShowWindow(maximized, SW_SHOWMAXIMIZED);
    ShowWindow(iconified, SW_SHOWMINNOACTIVE);
    glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
    GLFWwindow* first = attach(maximized);
    GLFWwindow* second = attach(iconified);
    if (CHECK(first != nullptr && second != nullptr)) {
        CHECK(IsZoomed(maximized) && IsIconic(iconified));
        // Only a record that knew the state reports leaving it.
        glfwSetWindowMaximizeCallback(first, [](GLFWwindow*, int on) { lastMaximized = on; });
        glfwSetWindowIconifyCallback(second, [](GLFWwindow*, int on) { lastIconified = on; });
        ShowWindow(maximized, SW_RESTORE);
        ShowWindow(iconified, SW_RESTORE);
        glfwPollEvents();
        CHECK(lastMaximized == GLFW_FALSE);
        CHECK(lastIconified == GLFW_FALSE);
        glfwDestroyWindow(first);
        glfwDestroyWindow(second);
    }
    DestroyWindow(maximized);
    DestroyWindow(iconified);
}

void refusesWhatItCannotAttach() {
    begin("refusals");
    HWND native = makeNative(WS_OVERLAPPEDWINDOW);
    auto untouched = [native] {
        return GetPropW(native, L"GLFW") == nullptr && currentProcedure(native) == nativeProcedure;
    };

    glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* withoutContext = glfwCreateWindow(32, 32, "no context", nullptr, nullptr);
    glfwDefaultWindowHints();
    CHECK(attach(native, withoutContext) == nullptr);
    CHECK(lastErrorCode == GLFW_NO_WINDOW_CONTEXT);
    CHECK(untouched());
    glfwDestroyWindow(withoutContext);

    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);  // needs 3.2 or later
    CHECK(attach(native) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    CHECK(untouched());
    glfwDefaultWindowHints();

    CHECK(attach(nullptr) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    CHECK(attach(reinterpret_cast<HWND>(0x7ff0)) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    // The desktop window belongs to another process.
    CHECK(attach(GetDesktopWindow()) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);

    glfwWindowHint(GLFW_CLIENT_API, GLFW_NO_API);
    GLFWwindow* first = attach(native);
    CHECK(first != nullptr);
    CHECK(attach(native) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    CHECK(GetPropW(native, L"GLFW") == first);
    glfwDestroyWindow(first);
    CHECK(untouched());
    DestroyWindow(native);
}

// Runs last: the failed record is released by glfwTerminate.
void failedContextStaysUntilTerminate() {
    begin("failed context: record kept until glfwTerminate");
    HWND native = makeNative(WS_OVERLAPPEDWINDOW);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 9);
    CHECK(attach(native) == nullptr);
    CHECK(lastErrorCode != 0);
    CHECK(GetPropW(native, L"GLFW") != nullptr);
    glfwTerminate();
    CHECK(IsWindow(native));
    CHECK(GetPropW(native, L"GLFW") == nullptr);
    CHECK(currentProcedure(native) == nativeProcedure);
    DestroyWindow(native);
}

}  // namespace

int main() {
    glfwSetErrorCallback(recordError);
    registerNativeClass();
    refusesBeforeInit();
    if (!CHECK(glfwInit() == GLFW_TRUE)) {
        return checks::failures;
    }
    attachesTopLevelWindowAndHandsItBack();
    attachesChildWindow();
    derivesFlagsFromStyles();
    readsMaximizedAndIconifiedStates();
    refusesWhatItCannotAttach();
    failedContextStaysUntilTerminate();
    std::printf("%d failed checks\n", checks::failures);
    return checks::failures;
}
