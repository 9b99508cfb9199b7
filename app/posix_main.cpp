// The Linux entry: XScreenSaver's switches ("--root", "--window-id ID",
// "--window") make it a hack; otherwise the arguments are read as the Windows
// command-line text would be ("/s", "/p ID", "/c").
#include <cstdlib>

#include "app/startup.h"
#include "app/xscreensaver_hack.h"
#include "platform/quit_request.h"

int main(int argc, char** argv) {
    watchTerminationRequests();
    XScreenSaverArguments hack =
        readXScreenSaverArguments(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    if (hack.target != HackWindow::None) {
        return startHack(hack);
    }
    return startScreensaver(joinArguments(argc, argv).c_str(), nullptr, 0);
}
