// The program's own entry for test and benchmark programs that watch or steer
// the scene: each defines entryHooks(), which the entry calls once at start
// and hands to the scene; everything else runs as in the shipped program
// (on Linux, XScreenSaver's switches included).
#pragma once

#include "scene/scene_hooks.h"

SceneHooks entryHooks();
