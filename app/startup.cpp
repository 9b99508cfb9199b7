// Mode dispatch shared by the Windows and Linux entry points.
#include "app/startup.h"

#include "about/about_window.h"
#include "app/glfw_application.h"
#include "app/single_instance_guard.h"
#include "platform/session_settings.h"

CommandLine* currentCommandLine = nullptr;
GLFWApplication* currentApplication = nullptr;

StartupRoad chooseStartupRoad(ScreensaverMode mode, bool (*isFirstInstance)()) {
    if ((mode == Preview || mode == NoSwitch) && !isFirstInstance()) {
        return StartupRoad::End;
    }
    return mode == Configure ? StartupRoad::About : StartupRoad::Screensaver;
}

int startScreensaver(const char* commandLineText, void* moduleInstance, int showCommand) {
    currentCommandLine = new CommandLine(commandLineText);
    switch (chooseStartupRoad(currentCommandLine->mode, isFirstInstance)) {
        case StartupRoad::End:
            return 0;
        case StartupRoad::About: {
            // The constructor runs the window until the user closes it.
            AboutWindow about(moduleInstance, showCommand);
            return 0;
        }
        case StartupRoad::Screensaver:
            // Before glfwInit, and for every road out: most end in exit(0).
            restoreSessionSettingsAtExit();
            currentApplication = new GLFWApplication(currentCommandLine);
            currentApplication->run();
            return 0;
    }
    return 0;
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
