// The hack's start: arguments into the application's command line, then the
// same application and scene as every other run.
#include "app/xscreensaver_hack.h"

#include "app/glfw_application.h"
#include "app/startup.h"
#include "platform/message_box.h"
#include "platform/termination_request.h"

CommandLine hackCommandLine(const XScreenSaverArguments& arguments, NativeWindowHandle root) {
    CommandLine line(nullptr);
    switch (arguments.target) {
        case HackWindow::None:
            break;
        case HackWindow::Given:
            line.mode = Preview;
            line.hostWindow = arguments.window;
            break;
        case HackWindow::Root:
            line.mode = Preview;
            line.hostWindow = root;
            break;
        case HackWindow::OwnWindow:
            line.mode = FullScreen;
            break;
    }
    return line;
}

int startHack(const XScreenSaverArguments& arguments) {
    if (!arguments.error.empty()) {
        showMessageBox(arguments.error.c_str(), "Error");
        return 1;
    }
    watchTerminationRequests();
    NativeWindowHandle root = arguments.target == HackWindow::Root ? screenRootWindow() : 0;
    currentCommandLine = new CommandLine(hackCommandLine(arguments, root));
    currentApplication = new GLFWApplication(currentCommandLine);
    currentApplication->run();
    return 0;
}
