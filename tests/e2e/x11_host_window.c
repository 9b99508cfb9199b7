/* A window for the hack to draw into, made the way XScreenSaver or a settings
 * dialog makes one: a plain X window of another client, black until drawn.
 *   x11_host_window WIDTH HEIGHT X Y CONTROL_DIR
 * Prints "window 0x<id> <id in decimal>" once the window is mapped, then
 * watches CONTROL_DIR: a file "resize" holding "W H" resizes the window (and
 * is removed), files "unmap" and "map" hide and show it (each removed), a
 * file "destroy" destroys it; the program stays until killed,
 * so that its connection keeps nothing else alive. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int fileExists(const char* dir, const char* name, char* path, size_t size) {
    snprintf(path, size, "%s/%s", dir, name);
    return access(path, F_OK) == 0;
}

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: x11_host_window WIDTH HEIGHT X Y CONTROL_DIR\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "no display\n");
        return 1;
    }
    int screen = DefaultScreen(display);
    XSetWindowAttributes attributes;
    memset(&attributes, 0, sizeof(attributes));
    attributes.background_pixel = BlackPixel(display, screen);
    /* No window manager runs on the test display; none should move it. */
    attributes.override_redirect = True;
    attributes.event_mask = StructureNotifyMask;
    Window window = XCreateWindow(display, RootWindow(display, screen), atoi(argv[3]),
                                  atoi(argv[4]), (unsigned)atoi(argv[1]), (unsigned)atoi(argv[2]),
                                  0, CopyFromParent, InputOutput, CopyFromParent,
                                  CWBackPixel | CWOverrideRedirect | CWEventMask, &attributes);
    XStoreName(display, window, "Glimmerpond test host");
    XMapWindow(display, window);
    for (XEvent event;;) {
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            break;
        }
    }
    printf("window 0x%lx %lu\n", window, window);
    fflush(stdout);

    char path[4096];
    int destroyed = 0;
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
        if (fileExists(argv[5], "resize", path, sizeof(path))) {
            unsigned width = 0;
            unsigned height = 0;
            FILE* file = fopen(path, "r");
            if (file != NULL && fscanf(file, "%u %u", &width, &height) == 2) {
                XResizeWindow(display, window, width, height);
                XSync(display, False);
                printf("resized %u %u\n", width, height);
                fflush(stdout);
            }
            if (file != NULL) {
                fclose(file);
            }
            unlink(path);
        }
        /* "unmap" and "map" hide and show it, as a minimised settings dialog would. */
        if (!destroyed && fileExists(argv[5], "unmap", path, sizeof(path))) {
            XUnmapWindow(display, window);
            XSync(display, False);
            unlink(path);
            printf("unmapped\n");
            fflush(stdout);
        }
        if (!destroyed && fileExists(argv[5], "map", path, sizeof(path))) {
            XMapWindow(display, window);
            XSync(display, False);
            unlink(path);
            printf("mapped\n");
            fflush(stdout);
        }
        if (!destroyed && fileExists(argv[5], "destroy", path, sizeof(path))) {
            XDestroyWindow(display, window);
            XSync(display, False);
            destroyed = 1;
            printf("destroyed\n");
            fflush(stdout);
        }
        usleep(20000);
    }
}
