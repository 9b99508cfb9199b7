// The hack's start: arguments into the application's command line, then the
// same application and scene as every other run.
#include "app/xscreensaver_hack.h"

#include "app/failure_report.h"
#include "app/glfw_application.h"
#include "app/startup.h"
#include "platform/failure.h"
#include "platform/message_box.h"

namespace {

// The size of a "--window" run's window, as XScreenSaver's hacks open theirs.
constexpr int kOwnWindowWidth = 640;
constexpr int kOwnWindowHeight = 480;
constexpr char kOwnWindowTitle[] = "Glimmerpond 3D";

}  // namespace

CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle ownWindow) {
    CommandLine line(nullptr);
    if (arguments.target != HackWindow::None) {
        line.mode = HandedWindow;
        line.hostWindow = arguments.target == HackWindow::Given ? arguments.window : ownWindow;
        line.frameDelaySeconds = static_cast<double>(arguments.delayMicroseconds) / 1e6;
        line.settings = arguments.settings;
    }
    return line;
}

int startHack(const XScreenSaverArguments& arguments, const SceneHooks& hooks) {
    if (!arguments.error.empty()) {
        showMessageBox(arguments.error.c_str(), "Error");
        return 1;
    }
    NativeWindowHandle ownWindow = 0;
    if (arguments.target == HackWindow::Root) {
        ownWindow = screenRootWindow();
    } else if (arguments.target == HackWindow::OwnWindow) {
        ownWindow = createOwnWindow(kOwnWindowWidth, kOwnWindowHeight, kOwnWindowTitle);
    }
    const CommandLine commandLine = hackCommandLine(arguments, ownWindow);
    Failure failure;
    GLFWApplication application(commandLine, hooks);
    application.showFrameRate(arguments.showFps);
    if (application.open(failure)) {
        application.run(failure);
    }
    return endRun(failure);
}
