// The libraries loaded by the end of a run (the system's OpenGL library, the
// driver's and the input libraries GLFW loads among them), kept loaded until
// the process ends. GLFW unloads them when it is terminated: on Linux libGL and
// with it the driver, whose memory then looks leaked to a leak checker at exit;
// on Windows XInput, whose own thread may still be leaving it (see the Win32
// side). A run gains nothing from unloading them moments before it ends.
#pragma once

// Call before glfwTerminate.
void keepDriverLibrariesLoaded();
