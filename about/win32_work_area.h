// Where a window that belongs to another one appears: centred on the work
// area (the monitor less its task bar) of the monitor its owner is on, or of
// the main monitor when it has none. Shared by the Settings and About windows.
#pragma once
#include <windows.h>

#include "about/about_layout.h"

// The top-left corner of a width x height window so placed.
about::Point centredOnOwnersMonitor(HWND owner, int width, int height);
