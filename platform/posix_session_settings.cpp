// Linux keeps nothing yet. Not handled: GLFW's X11 backend turns the X screen
// saver's timeout off while a full-screen window holds its monitor, and only
// glfwTerminate or giving up the monitor turns it back on.
#include "platform/session_settings.h"

void restoreSessionSettingsAtExit() {}
