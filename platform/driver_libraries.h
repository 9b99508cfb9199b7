// The libraries loaded by the end of a run (the system's OpenGL library and
// the driver's among them), kept loaded until the process ends. GLFW unloads libGL when it is
// terminated, and with it the driver, whose memory then looks leaked to a leak checker at exit; a
// run gains nothing from unloading them moments before it ends.
#pragma once

// Call before glfwTerminate. Windows keeps opengl32.dll loaded: nothing to
// do there.
void keepDriverLibrariesLoaded();
