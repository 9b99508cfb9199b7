// Runs the screensaver as an XScreenSaver hack: into the window it is given,
// or into a window of its own, as a handed window. These runs never ask the
// single-instance guard: XScreenSaver starts one process per monitor.
#pragma once

#include "app/command_line.h"
#include "app/xscreensaver_arguments.h"
#include "scene/scene_hooks.h"

// The command line the application reads for these arguments: a handed
// window, either the given one or `ownWindow` (the root window for "--root"
// without XSCREENSAVER_WINDOW, the program's own window for "--window"),
// paced by the delay.
CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle ownWindow);

// Shows what is wrong with the arguments and returns 1, or draws until the
// window goes away or the quit request is set and returns 0; `hooks` go to
// the scene, as for startScreensaver. The caller watches for termination
// signals first.
int startHack(const XScreenSaverArguments& arguments, const SceneHooks& hooks = {});
