// The hack's start: arguments into the application's command line, then the
// same application and scene as every other run.
#include "app/xscreensaver_hack.h"

#include "app/frame_rate_overlay.h"
#include "app/glfw_application.h"
#include "app/startup.h"
#include "platform/message_box.h"
#include "platform/termination_request.h"

namespace {

// The size of a "--window" run's window, as XScreenSaver's hacks open theirs.
constexpr int kOwnWindowWidth = 640;
constexpr int kOwnWindowHeight = 480;
constexpr char kOwnWindowTitle[] = "Glimmerpond 3D";

}  // namespace

CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle ownWindow) {
    CommandLine line(nullptr);
    if (arguments.target != HackWindow::None) {
        line.mode = Preview;
        line.hostWindow = arguments.target == HackWindow::Given ? arguments.window : ownWindow;
    }
    return line;
}

int startHack(const XScreenSaverArguments& arguments) {
    if (!arguments.error.empty()) {
        showMessageBox(arguments.error.c_str(), "Error");
        return 1;
    }
    watchTerminationRequests();
    if (arguments.showFps) {
        enableFrameRateOverlay();
    }
    NativeWindowHandle ownWindow = 0;
    if (arguments.target == HackWindow::Root) {
        ownWindow = screenRootWindow();
    } else if (arguments.target == HackWindow::OwnWindow) {
        ownWindow = createOwnWindow(kOwnWindowWidth, kOwnWindowHeight, kOwnWindowTitle);
    }
    currentCommandLine = new CommandLine(hackCommandLine(arguments, ownWindow));
    currentApplication = new GLFWApplication(currentCommandLine);
    currentApplication->run();
    return 0;
}
