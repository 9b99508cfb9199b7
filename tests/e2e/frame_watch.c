/* Frames of a window counted from outside, as a viewer would see them: a
 * square of up to 64 x 64 pixels at the window's centre, read every
 * millisecond; every change is a new frame (moving water changes each one).
 *   frame_watch count XID SECONDS    prints "frames N seconds S per-second F"
 *   frame_watch first XID SECONDS    prints "changed after MS ms" at the first
 *                                    change, or "no change" and exits with 1
 * Exit code 2 when the window cannot be read. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#define SIDE 64

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static int ignoreErrors(Display* display, XErrorEvent* event) {
    (void)display;
    (void)event;
    return 0;
}

/* The square's pixels into `pixels`; 0 when the window cannot be read. */
static int readSquare(Display* display, Window window, unsigned long* pixels, int* count) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return 0;
    }
    int width = attributes.width < SIDE ? attributes.width : SIDE;
    int height = attributes.height < SIDE ? attributes.height : SIDE;
    XImage* image =
        XGetImage(display, window, (attributes.width - width) / 2, (attributes.height - height) / 2,
                  (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (image == NULL) {
        return 0;
    }
    *count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[(*count)++] = XGetPixel(image, x, y);
        }
    }
    XDestroyImage(image);
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 4 || (strcmp(argv[1], "count") != 0 && strcmp(argv[1], "first") != 0)) {
        fprintf(stderr, "usage: frame_watch count|first XID SECONDS\n");
        return 2;
    }
    const int countMode = strcmp(argv[1], "count") == 0;
    Window window = (Window)strtoul(argv[2], NULL, 0);
    const double seconds = atof(argv[3]);
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "frame_watch: no display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    static unsigned long previous[SIDE * SIDE], current[SIDE * SIDE];
    int previousCount = 0, currentCount = 0;
    if (!readSquare(display, window, previous, &previousCount)) {
        fprintf(stderr, "frame_watch: cannot read window %s\n", argv[2]);
        XCloseDisplay(display);
        return 2;
    }
    const double start = now();
    long frames = 0;
    const struct timespec pause = {0, 1000000};
    while (now() - start < seconds) {
        nanosleep(&pause, NULL);
        if (!readSquare(display, window, current, &currentCount)) {
            fprintf(stderr, "frame_watch: window %s went away\n", argv[2]);
            XCloseDisplay(display);
            return 2;
        }
        if (currentCount == previousCount &&
            memcmp(current, previous, sizeof(current[0]) * (size_t)currentCount) == 0) {
            continue;
        }
        if (!countMode) {
            printf("changed after %.0f ms\n", (now() - start) * 1000.0);
            XCloseDisplay(display);
            return 0;
        }
        ++frames;
        memcpy(previous, current, sizeof(current[0]) * (size_t)currentCount);
        previousCount = currentCount;
    }
    XCloseDisplay(display);
    if (!countMode) {
        printf("no change\n");
        return 1;
    }
    const double elapsed = now() - start;
    printf("frames %ld seconds %.2f per-second %.1f\n", frames, elapsed, (double)frames / elapsed);
    return 0;
}
