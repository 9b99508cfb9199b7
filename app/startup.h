// The program's start: reads the command line, keeps a second preview or
// switchless run from starting, and takes the Settings window's path or the
// screensaver's.
#pragma once

#include <string>

#include "app/command_line.h"
#include "scene/scene_hooks.h"

enum class StartupPath {
    End,          // another preview or switchless run is alive: nothing is shown
    Settings,     // configuration mode, and on Windows a run with no switch
    Screensaver,  // the render window and the main loop
};

// The two ways a run may claim the single-instance name: at once, or giving
// a run that is ending a moment to let it go.
struct InstanceClaims {
    bool (*atOnce)();
    bool (*withinWait)();
};

// A preview claims within the wait (the settings page starts a new preview as
// it drops the last one's pane), a switchless run at once; the other modes
// never ask, so they neither claim the single-instance name nor are refused by it.
// A switchless run that claims the name shows the Settings window where
// `switchlessShowsSettings` (Windows, where opening the file starts it so),
// else the screensaver.
StartupPath chooseStartupPath(ScreensaverMode mode, const InstanceClaims& claims,
                              bool switchlessShowsSettings);

// The entry's whole work; `moduleInstance` and `showCommand` go to the Settings
// window, `hooks` to the scene (the shipped entries give none). Every path
// returns 0; a failure on the way is shown first.
int startScreensaver(const char* commandLineText, void* moduleInstance, int showCommand,
                     const SceneHooks& hooks = {});

// The arguments after the program's name joined by spaces: what the Windows
// command-line text would read ("/s", "/c", "/p 1234"), for entries that get argv.
std::string joinArguments(int argc, char** argv);
