// On X11 GLFW changes the display's mode only when a full-screen window asks
// for another size; given the current mode's size, it keeps the mode.
#include "platform/display_mode.h"

bool fullScreenKeepsDisplayMode() {
    return true;
}
