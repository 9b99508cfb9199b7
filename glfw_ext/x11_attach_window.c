/* glfwAttachNativeWindow on X11: a GLFW window record around an X window that
 * another client may own (XScreenSaver's window, a settings dialog's preview
 * pane, the root window). The context is made on the window's own visual; the
 * window is asked only for the events any client may select (structure and
 * exposure, never button presses), so its size changes reach GLFW's size
 * callback. X errors about the window (it was destroyed under us) become a
 * close request instead of Xlib's default exit. */
#include "internal.h"

#include "attached_record.h"

#include <stdlib.h>

#include "glfw_attach.h"

/* The events any client may select on a window that is not its own. */
#define ATTACHED_EVENT_MASK (StructureNotifyMask | ExposureMask)

typedef struct AttachedWindow {
    _GLFWattached shared; /* first, so that the shared list holds it */
    Window handle;
    /* Whether the window carried an icon before GLFW could set one. */
    GLFWbool hadIcon;
} AttachedWindow;

/* What two callbacks need beyond their arguments, neither taking a user
 * pointer: Xlib's error handler passes on other errors to the handler it
 * replaced, and while a context is being made for an attached window, GLFW
 * calls glXGetFBConfigs through its function table, where ours returns only
 * the configurations of the window's own visual. Touched only on the thread
 * that owns GLFW, where Xlib also calls the error handler. */
static struct {
    XErrorHandler keptErrorHandler;
    PFNGLXGETFBCONFIGSPROC allConfigs;
    VisualID wantedVisual;
} x11Attach;

static GLXFBConfig* configsOfWantedVisual(Display* display, int screen, int* count) {
    GLXFBConfig* configs = x11Attach.allConfigs(display, screen, count);
    int kept = 0;
    for (int i = 0; configs != NULL && i < *count; i++) {
        int visual = 0;
        glXGetFBConfigAttrib(display, configs[i], GLX_VISUAL_ID, &visual);
        if ((VisualID)visual == x11Attach.wantedVisual) {
            configs[kept++] = configs[i];
        }
    }
    *count = kept;
    return configs;
}

static AttachedWindow* findAttached(XID resource) {
    for (_GLFWattached* shared = _glfwAttachedWindows(); shared != NULL; shared = shared->next) {
        AttachedWindow* attached = (AttachedWindow*)shared;
        if (attached->handle == resource || shared->window->context.glx.window == resource) {
            return attached;
        }
    }
    return NULL;
}

/* Another client may destroy an attached window at any time; the next request
 * that names it then fails. That ends the window's life as a close request. */
static int handleXError(Display* display, XErrorEvent* event) {
    AttachedWindow* attached = findAttached(event->resourceid);
    if (attached != NULL) {
        _glfwInputWindowCloseRequest(attached->shared.window);
        return 0;
    }
    return x11Attach.keptErrorHandler != NULL ? x11Attach.keptErrorHandler(display, event) : 0;
}

/* The handler is ours while any window is attached. */
static void watchErrors(void) {
    if (_glfwAttachedWindows() == NULL) {
        x11Attach.keptErrorHandler = XSetErrorHandler(handleXError);
    }
}

static void unwatchErrorsWhenDone(void) {
    if (_glfwAttachedWindows() == NULL) {
        XSetErrorHandler(x11Attach.keptErrorHandler);
        x11Attach.keptErrorHandler = NULL;
    }
}

/* What GLFW may have set on the window goes: the hidden cursor (it would
 * outlive us on the window) and an icon the window did not have. The window
 * may already be gone; that is no error worth reporting. */
static void restoreWindow(const AttachedWindow* attached) {
    _glfwGrabErrorHandlerX11();
    if (attached->shared.window->cursorMode != GLFW_CURSOR_NORMAL) {
        XUndefineCursor(_glfw.x11.display, attached->handle);
    }
    if (!attached->hadIcon) {
        XDeleteProperty(_glfw.x11.display, attached->handle, _glfw.x11.NET_WM_ICON);
    }
    XSelectInput(_glfw.x11.display, attached->handle, NoEventMask);
    _glfwReleaseErrorHandlerX11();
}

static GLFWbool hasIcon(Window handle) {
    unsigned char* icon = NULL;
    _glfwGrabErrorHandlerX11();
    unsigned long count =
        _glfwGetWindowPropertyX11(handle, _glfw.x11.NET_WM_ICON, XA_CARDINAL, &icon);
    _glfwReleaseErrorHandlerX11();
    if (icon != NULL) {
        XFree(icon);
    }
    return count > 0;
}

/* With the handle and colormap cleared, GLFW neither unmaps nor destroys
 * anything. */
void _glfwDetachNativeWindow(_GLFWattached* shared) {
    AttachedWindow* attached = (AttachedWindow*)shared;
    _GLFWwindow* window = shared->window;
    restoreWindow(attached);
    XDeleteContext(_glfw.x11.display, attached->handle, _glfw.x11.context);
    window->x11.handle = None;
    window->x11.colormap = None;
    free(attached);
    unwatchErrorsWhenDone();
}

/* The window's attributes, or false (reported) when it does not exist or lives
 * on a screen other than GLFW's. */
static GLFWbool readUsableWindow(Window handle, XWindowAttributes* attributes) {
    if (handle == None) {
        _glfwInputError(GLFW_INVALID_VALUE, "X11: Invalid native window 0x%lx", handle);
        return GLFW_FALSE;
    }
    XPointer existing = NULL;
    if (XFindContext(_glfw.x11.display, handle, _glfw.x11.context, &existing) == 0) {
        _glfwInputError(GLFW_INVALID_VALUE, "X11: The window already has a GLFW window");
        return GLFW_FALSE;
    }
    _glfwGrabErrorHandlerX11();
    Status found = XGetWindowAttributes(_glfw.x11.display, handle, attributes);
    _glfwReleaseErrorHandlerX11();
    if (!found || _glfw.x11.errorCode != Success) {
        _glfwInputError(GLFW_INVALID_VALUE, "X11: There is no window 0x%lx", handle);
        return GLFW_FALSE;
    }
    if (attributes->screen != ScreenOfDisplay(_glfw.x11.display, _glfw.x11.screen)) {
        _glfwInputError(GLFW_INVALID_VALUE, "X11: Window 0x%lx is on another screen", handle);
        return GLFW_FALSE;
    }
    return GLFW_TRUE;
}

static Window parentOf(Window handle) {
    Window root = None;
    Window parent = None;
    Window* children = NULL;
    unsigned int count = 0;
    if (!XQueryTree(_glfw.x11.display, handle, &root, &parent, &children, &count)) {
        return _glfw.x11.root;
    }
    if (children != NULL) {
        XFree(children);
    }
    return parent != None ? parent : _glfw.x11.root;
}

/* A record as glfwCreateWindow makes one, with the flags read from the window. */
static _GLFWwindow* newRecord(Window handle, const XWindowAttributes* attributes,
                              const _GLFWwndconfig* wndconfig, const _GLFWfbconfig* fbconfig) {
    _GLFWwindow* window =
        _glfwNewAttachedRecord(attributes->width, attributes->height, wndconfig, fbconfig);
    window->resizable = GLFW_FALSE;
    window->decorated = GLFW_FALSE;
    window->floating = GLFW_FALSE;

    window->x11.handle = handle;
    window->x11.parent = parentOf(handle);
    window->x11.overrideRedirect = attributes->override_redirect;
    /* The size and place GLFW compares ConfigureNotify against. */
    window->x11.width = attributes->width;
    window->x11.height = attributes->height;
    window->x11.xpos = attributes->x;
    window->x11.ypos = attributes->y;
    return window;
}

/* Whether the visual has a configuration with double buffering as asked. Every
 * visual of Mesa's GLX has exactly one configuration: a window made on a single
 * buffered visual can only take a single buffered context. */
static GLFWbool visualOffersBuffering(GLFWbool doublebuffer) {
    int count = 0;
    GLXFBConfig* configs = configsOfWantedVisual(_glfw.x11.display, _glfw.x11.screen, &count);
    GLFWbool offered = GLFW_FALSE;
    for (int i = 0; i < count; i++) {
        int value = 0;
        glXGetFBConfigAttrib(_glfw.x11.display, configs[i], GLX_DOUBLEBUFFER, &value);
        offered = offered || (value != 0) == (doublebuffer != 0);
    }
    if (configs != NULL) {
        XFree(configs);
    }
    return offered;
}

/* A GLX context on the window's own visual, through GLFW's own context code. */
static GLFWbool createContext(_GLFWwindow* window, VisualID visual, const _GLFWctxconfig* ctxconfig,
                              _GLFWfbconfig* fbconfig) {
    if (ctxconfig->source != GLFW_NATIVE_CONTEXT_API) {
        _glfwInputError(GLFW_API_UNAVAILABLE,
                        "X11: Attached windows take only native (GLX) contexts");
        return GLFW_FALSE;
    }
    if (!_glfwInitGLX()) {
        return GLFW_FALSE;
    }
    x11Attach.allConfigs = _glfw.glx.GetFBConfigs;
    x11Attach.wantedVisual = visual;
    if (!visualOffersBuffering(fbconfig->doublebuffer)) {
        fbconfig->doublebuffer = !fbconfig->doublebuffer;
        window->doublebuffer = fbconfig->doublebuffer;
    }
    _glfw.glx.GetFBConfigs = configsOfWantedVisual;
    GLFWbool created = _glfwCreateContextGLX(window, ctxconfig, fbconfig);
    _glfw.glx.GetFBConfigs = x11Attach.allConfigs;
    return created;
}

GLFWAPI GLFWwindow* glfwAttachNativeWindow(uintptr_t nativeWindow, GLFWwindow* share) {
    Window handle = (Window)nativeWindow;
    XWindowAttributes attributes;

    _GLFW_REQUIRE_INIT_OR_RETURN(NULL);

    _GLFWattachHints hints;
    if (!_glfwReadAttachHints(share, &hints)) {
        return NULL;
    }
    if (!readUsableWindow(handle, &attributes)) {
        return NULL;
    }

    AttachedWindow* attached = calloc(1, sizeof(AttachedWindow));
    _GLFWwindow* window = newRecord(handle, &attributes, &hints.window, &hints.framebuffer);
    attached->shared.window = window;
    attached->handle = handle;
    attached->hadIcon = hasIcon(handle);
    watchErrors();
    _glfwAddAttached(&attached->shared);

    /* GLFW's event processing finds the record through this context entry. */
    XSaveContext(_glfw.x11.display, handle, _glfw.x11.context, (XPointer)window);
    XSelectInput(_glfw.x11.display, handle, ATTACHED_EVENT_MASK);

    if (hints.context.client != GLFW_NO_API) {
        GLFWbool created = createContext(window, XVisualIDFromVisual(attributes.visual),
                                         &hints.context, &hints.framebuffer);
        _glfwGuardContextDestroy(&attached->shared);
        /* A window that vanished meanwhile shows up as a close request. */
        XSync(_glfw.x11.display, False);
        if (created && window->shouldClose) {
            _glfwInputError(GLFW_PLATFORM_ERROR, "X11: Window 0x%lx went away", handle);
            created = GLFW_FALSE;
        }
        if (!created || !_glfwRefreshContextAttribs(window, &hints.context)) {
            glfwDestroyWindow((GLFWwindow*)window);
            return NULL;
        }
    }
    XFlush(_glfw.x11.display);
    return (GLFWwindow*)window;
}
