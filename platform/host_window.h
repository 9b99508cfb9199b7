// The screensaver host's preview window, as preview mode sees it. The handle
// is the number the host passes on the command line.
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

// A borderless child window of the host filling its client area, for the
// program to draw into (a window of another process cannot be subclassed).
// Returns 0 when it cannot be made, or where the platform has no preview.
NativeWindowHandle createPreviewChild(NativeWindowHandle host);
