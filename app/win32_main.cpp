// The Windows entry: the screensaver host starts the program with a switch in
// the command-line text that follows the program's name.
#include "app/startup.h"

// WinMain as the MinGW runtime calls it, with plain types so that this folder
// stays free of <windows.h>: HINSTANCE is a pointer and LPSTR a char*.
extern "C" int __stdcall WinMain(void* instance, void* /*previousInstance*/, char* commandLine,
                                 int showCommand) {
    return startScreensaver(commandLine, instance, showCommand);
}
