// An OpenGL context without a display: Mesa through EGL's surfaceless
// platform, made current on the calling thread with the program's entry points
// loaded from it. Shared by the GL tests and the benchmarks.
#pragma once

// False when no such context can be made (no EGL, no Mesa).
bool makeHeadlessGLContext();
