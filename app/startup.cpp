// Mode dispatch shared by the Windows and Linux entry points.
#include "app/startup.h"

#include "about/settings_window.h"
#include "app/failure_report.h"
#include "app/glfw_application.h"
#include "app/pictures_without_gl.h"
#include "app/single_instance_guard.h"
#include "platform/failure.h"
#include "platform/settings_store.h"

StartupPath chooseStartupPath(ScreensaverMode mode, const InstanceClaims& claims,
                              bool switchlessShowsSettings) {
    if ((mode == Preview && !claims.withinWait()) || (mode == NoSwitch && !claims.atOnce())) {
        return StartupPath::End;
    }
    if (mode == Configure || (mode == NoSwitch && switchlessShowsSettings)) {
        return StartupPath::Settings;
    }
    return StartupPath::Screensaver;
}

int startScreensaver(const char* commandLineText, void* moduleInstance, int showCommand,
                     const SceneHooks& hooks) {
    CommandLine commandLine(commandLineText);
    Failure failure;
    switch (chooseStartupPath(commandLine.mode,
                              InstanceClaims{isFirstInstance, isFirstInstanceWithinWait},
                              switchlessRunShowsSettings())) {
        case StartupPath::End:
            break;
        case StartupPath::Settings: {
            // "/c:<window>" names the settings page that asked; a switchless
            // run has none.
            const NativeWindowHandle owner =
                commandLine.mode == Configure ? commandLine.hostWindow : 0;
            SettingsWindow(moduleInstance, showCommand, owner).run(failure);
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
