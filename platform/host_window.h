// The screensaver host's preview window, as preview mode sees it. The handle
// is the number the host passes on the command line (an HWND, or an X window).
#pragma once
#include <cstdint>

using NativeWindowHandle = std::uintptr_t;

struct ClientSize {
    int width = 0;
    int height = 0;
};

// The size of the host window's client area.
ClientSize hostClientSize(NativeWindowHandle host);

// False once the host has disabled or destroyed its preview window.
bool isHostWindowEnabled(NativeWindowHandle host);

// Whether the window and every window it sits in are shown (X: viewable).
// False for a window that is not there.
bool isWindowShown(NativeWindowHandle window);

// The window for the program to draw into. Windows: a borderless child window
// of the host filling its client area (a window of another process cannot be
// subclassed); 0 when it cannot be made. X: the host window itself, since any
// client may draw into any window.
NativeWindowHandle createPreviewChild(NativeWindowHandle host);
// Takes down a window that createPreviewChild made (nothing on X, where it is
// the host's own).
void destroyPreviewChild(NativeWindowHandle child);

// The window that covers the whole screen (X's root window of the default
// screen, Windows' desktop window); 0 when there is no display to ask.
NativeWindowHandle screenRootWindow();

// A top-level window of the program's own, mapped, titled `title`: where
// XScreenSaver's "--window" draws. X: made on a connection of its own, so it
// lasts as long as the process; 0 when there is no display, and always 0 on
// Windows, which has no such switch.
NativeWindowHandle createOwnWindow(int width, int height, const char* title);
