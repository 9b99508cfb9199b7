// Mode dispatch shared by the Windows and Linux entry points.
#include "app/startup.h"

#include "about/about_window.h"
#include "app/failure_report.h"
#include "app/glfw_application.h"
#include "app/pictures_without_gl.h"
#include "app/single_instance_guard.h"
#include "platform/failure.h"
#include "platform/settings_store.h"

StartupPath chooseStartupPath(ScreensaverMode mode, const InstanceClaims& claims) {
    if ((mode == Preview && !claims.withinWait()) || (mode == NoSwitch && !claims.atOnce())) {
        return StartupPath::End;
    }
    return mode == Configure ? StartupPath::About : StartupPath::Screensaver;
}

int startScreensaver(const char* commandLineText, void* moduleInstance, int showCommand,
                     const SceneHooks& hooks) {
    CommandLine commandLine(commandLineText);
    Failure failure;
    switch (chooseStartupPath(commandLine.mode,
                              InstanceClaims{isFirstInstance, isFirstInstanceWithinWait})) {
        case StartupPath::End:
            break;
        case StartupPath::About: {
            AboutWindow(moduleInstance, showCommand).run(failure);
            break;
        }
        case StartupPath::Screensaver: {
            // Read once: a run honours the settings it started with.
            commandLine.settings = loadSettings().settings;
            GLFWApplication application(commandLine, hooks);
            if (application.open(failure)) {
                application.run(failure);
            } else if (!application.unusableGL().empty()) {
                showPicturesWithoutGL(commandLine, application.unusableGL(), hooks, failure);
            }
            // Before the application takes its window down.
            return endRun(failure);
        }
    }
    return endRun(failure);
}

std::string joinArguments(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            text += ' ';
        }
        text += argv[i];
    }
    return text;
}
