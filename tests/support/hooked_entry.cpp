// The entries of app/win32_main.cpp and app/posix_main.cpp, with the hooks of
// the program they are linked into (see hooked_entry.h).
#include "tests/support/hooked_entry.h"

#include <cstdlib>

#include "app/startup.h"

#ifdef _WIN32
extern "C" int __stdcall WinMain(void* instance, void* /*previousInstance*/, char* commandLine,
                                 int showCommand) {
    return startScreensaver(commandLine, instance, showCommand, entryHooks());
}
#else
#include "app/xscreensaver_hack.h"
#include "platform/quit_request.h"

int main(int argc, char** argv) {
    watchTerminationRequests();
    const SceneHooks hooks = entryHooks();
    XScreenSaverArguments hack =
        readXScreenSaverArguments(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (hack.target != HackWindow::None) {
        return startHack(hack, hooks);
    }
    return startScreensaver(joinArguments(argc, argv).c_str(), nullptr, 0, hooks);
}
#endif
