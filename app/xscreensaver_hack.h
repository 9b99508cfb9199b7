// Runs the screensaver as an XScreenSaver hack: into the window it is given
// (the same road as the preview), or in a window of its own. These runs never
// ask the single-instance guard: XScreenSaver starts one process per monitor.
#pragma once

#include "app/command_line.h"
#include "app/xscreensaver_arguments.h"

// The command line the application reads for these arguments: preview mode
// on the given window (or the root window `root`), full screen for "--window".
CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle root);

// Shows what is wrong with the arguments and returns 1, or draws until the
// window goes away or a termination request arrives and returns 0.
int startHack(const XScreenSaverArguments& arguments);
