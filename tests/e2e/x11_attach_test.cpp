// glfwAttachNativeWindow on X11, in one process with two X connections: the
// windows belong to the other connection, as XScreenSaver's and a settings
// dialog's do. Windows on visuals other than the default, single and double
// buffered, get a context on their own visual and show what is drawn; only
// structure and exposure events are selected; a new size reaches the size
// callback; a window destroyed under GLFW becomes a close request, also after
// another attached window was handed back; destroying the GLFW window leaves
// the X window as it was. Prints each case and "FAIL ..." lines; the exit code
// counts the failures.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#define GLFW_EXPOSE_NATIVE_X11
#define GLFW_EXPOSE_NATIVE_GLX
#include <GLFW/glfw3.h>
#include <GLFW/glfw3native.h>
#include <glfw_attach.h>

#include <cstdio>
#include <vector>

#include "tests/e2e/win32_checks.h"

namespace {

Display* owner = nullptr;  // the other client, which makes and owns the windows
int lastErrorCode = 0;
int lastWidth = 0;

void recordError(int code, const char* description) {
    lastErrorCode = code;
    std::printf("  (GLFW error 0x%x: %s)\n", code, description);
}

void recordSize(GLFWwindow*, int width, int) {
    lastWidth = width;
}

Window makeWindow(VisualID visualId) {
    XVisualInfo wanted{};
    wanted.visualid = visualId;
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(owner, VisualIDMask, &wanted, &count);
    Window root = DefaultRootWindow(owner);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(owner, root, visual->visual, AllocNone);
    attributes.override_redirect = True;
    Window window =
        XCreateWindow(owner, root, 10, 10, 160, 120, 0, visual->depth, InputOutput, visual->visual,
                      CWColormap | CWBorderPixel | CWBackPixel | CWOverrideRedirect, &attributes);
    XFree(visual);
    XMapWindow(owner, window);
    XSync(owner, False);
    return window;
}

// Depth-24 TrueColor visuals with window configurations: the default one, and
// the first other one with single and with double buffering.
std::vector<VisualID> visualsToTry() {
    VisualID defaultVisual = XVisualIDFromVisual(DefaultVisual(owner, DefaultScreen(owner)));
    std::vector<VisualID> found{defaultVisual};
    bool buffering[2] = {false, false};
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(owner, DefaultScreen(owner), &count);
    for (int i = 0; i < count; ++i) {
        XVisualInfo* visual = glXGetVisualFromFBConfig(owner, configs[i]);
        int doubleBuffer = 0;
        int drawable = 0;
        glXGetFBConfigAttrib(owner, configs[i], GLX_DOUBLEBUFFER, &doubleBuffer);
        glXGetFBConfigAttrib(owner, configs[i], GLX_DRAWABLE_TYPE, &drawable);
        if (visual != nullptr && visual->c_class == TrueColor && visual->depth == 24 &&
            visual->visualid != defaultVisual && (drawable & GLX_WINDOW_BIT) != 0 &&
            !buffering[doubleBuffer != 0]) {
            buffering[doubleBuffer != 0] = true;
            found.push_back(visual->visualid);
        }
        XFree(visual);
    }
    XFree(configs);
    return found;
}

VisualID contextVisual(GLFWwindow* window) {
    Display* display = glfwGetX11Display();
    int configId = 0;
    glXQueryContext(display, glfwGetGLXContext(window), GLX_FBCONFIG_ID, &configId);
    const int attributes[] = {GLX_FBCONFIG_ID, configId, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    int visual = 0;
    if (count > 0) {
        glXGetFBConfigAttrib(display, configs[0], GLX_VISUAL_ID, &visual);
    }
    XFree(configs);
    return static_cast<VisualID>(visual);
}

// The three GL calls used here, through GLFW's lookup for the current context.
void clearWindow(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    auto clearColor =
        reinterpret_cast<void (*)(float, float, float, float)>(glfwGetProcAddress("glClearColor"));
    auto clear = reinterpret_cast<void (*)(unsigned)>(glfwGetProcAddress("glClear"));
    auto finish = reinterpret_cast<void (*)()>(glfwGetProcAddress("glFinish"));
    clearColor(1.0f, 0.0f, 1.0f, 1.0f);
    clear(GL_COLOR_BUFFER_BIT);
    glfwSwapBuffers(window);
    finish();
}

// One colour drawn by GLFW's context, read by the owner from the X window.
bool showsDrawing(GLFWwindow* window, Window native) {
    clearWindow(window);
    XSync(glfwGetX11Display(), False);
    XImage* image = XGetImage(owner, native, 80, 60, 1, 1, AllPlanes, ZPixmap);
    unsigned long pixel = image != nullptr ? XGetPixel(image, 0, 0) : 0;
    if (image != nullptr) {
        XDestroyImage(image);
    }
    return pixel == 0xff00ff;
}

long selectedEvents(Display* display, Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return attributes.your_event_mask;
}

void drawsOnTheWindowsOwnVisual(VisualID visual) {
    std::printf("case visual 0x%lx\n", visual);
    Window native = makeWindow(visual);
    GLFWwindow* window = glfwAttachNativeWindow(native, nullptr);
    if (!CHECK(window != nullptr)) {
        return;
    }
    CHECK(contextVisual(window) == visual);
    CHECK(showsDrawing(window, native));
    CHECK(selectedEvents(glfwGetX11Display(), native) == (StructureNotifyMask | ExposureMask));

    glfwSetWindowSizeCallback(window, recordSize);
    XResizeWindow(owner, native, 200, 100);
    XSync(owner, False);
    for (int i = 0; i < 100 && lastWidth != 200; ++i) {
        glfwWaitEventsTimeout(0.02);
    }
    CHECK(lastWidth == 200);

    glfwDestroyWindow(window);
    XWindowAttributes attributes{};
    CHECK(XGetWindowAttributes(owner, native, &attributes) != 0);
    CHECK(attributes.map_state == IsViewable && attributes.width == 200);
    CHECK(selectedEvents(glfwGetX11Display(), native) == NoEventMask);
    XDestroyWindow(owner, native);
}

void windowDestroyedUnderItAsksToClose() {
    std::printf("case destroyed under it\n");
    const VisualID visual = XVisualIDFromVisual(DefaultVisual(owner, DefaultScreen(owner)));
    // A window attached before it and handed back first leaves it watched.
    Window earlier = makeWindow(visual);
    GLFWwindow* earlierWindow = glfwAttachNativeWindow(earlier, nullptr);
    Window native = makeWindow(visual);
    GLFWwindow* window = glfwAttachNativeWindow(native, nullptr);
    if (!CHECK(window != nullptr && earlierWindow != nullptr)) {
        return;
    }
    glfwDestroyWindow(earlierWindow);
    CHECK(selectedEvents(glfwGetX11Display(), earlier) == NoEventMask);
    XDestroyWindow(owner, earlier);
    XDestroyWindow(owner, native);
    XSync(owner, False);
    for (int i = 0; i < 10 && !glfwWindowShouldClose(window); ++i) {
        clearWindow(window);
        XSync(glfwGetX11Display(), False);
        glfwPollEvents();
    }
    CHECK(glfwWindowShouldClose(window));
    glfwDestroyWindow(window);
}

void refusals() {
    std::printf("case refusals\n");
    lastErrorCode = 0;
    CHECK(glfwAttachNativeWindow(0x3ffffff, nullptr) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    Window native = makeWindow(XVisualIDFromVisual(DefaultVisual(owner, DefaultScreen(owner))));
    GLFWwindow* window = glfwAttachNativeWindow(native, nullptr);
    lastErrorCode = 0;
    CHECK(glfwAttachNativeWindow(native, nullptr) == nullptr);
    CHECK(lastErrorCode == GLFW_INVALID_VALUE);
    glfwDestroyWindow(window);
    XDestroyWindow(owner, native);
}

}  // namespace

int main() {
    owner = XOpenDisplay(nullptr);
    glfwSetErrorCallback(recordError);
    if (owner == nullptr || !glfwInit()) {
        std::printf("FAIL no display\n");
        return 1;
    }
    std::vector<VisualID> visuals = visualsToTry();
    CHECK(visuals.size() == 3);  // the default, one single and one double buffered
    for (VisualID visual : visuals) {
        drawsOnTheWindowsOwnVisual(visual);
    }
    windowDestroyedUnderItAsksToClose();
    refusals();
    // No glfwTerminate: it unloads Mesa, whose last allocations LeakSanitizer
    // would then report (a plain created and destroyed GLFW window does too).
    XCloseDisplay(owner);
    std::printf("%d failures\n", checks::failures);
    return checks::failures;
}
