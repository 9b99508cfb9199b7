// Runs the screensaver as an XScreenSaver hack: into the window it is given,
// or into a window of its own, on the same road as the preview. These runs never
// ask the single-instance guard: XScreenSaver starts one process per monitor.
#pragma once

#include "app/command_line.h"
#include "app/xscreensaver_arguments.h"
#include "scene/scene_hooks.h"

// The command line the application reads for these arguments: preview mode
// on the given window, or on `ownWindow` (the root window for "--root"
// without XSCREENSAVER_WINDOW, the program's own window for "--window").
CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle ownWindow);

// Shows what is wrong with the arguments and returns 1, or draws until the
// window goes away or a termination request arrives and returns 0; `hooks`
// go to the scene, as for startScreensaver.
int startHack(const XScreenSaverArguments& arguments, const SceneHooks& hooks = {});
