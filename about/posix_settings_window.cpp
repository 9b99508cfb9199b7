// Configuration mode on Linux: the hack takes its settings as switches, so
// it prints the About facts and a line naming those switches.
#include <cstdio>
#include <string>

#include "about/about_window.h"
#include "about/settings_window.h"
#include "platform/user_settings.h"

void SettingsWindow::run(Failure& failure) {
    AboutWindow(moduleInstance_, showCommand_).run(failure);
    std::string switches;
    for (const SettingSpec& spec : settingTable()) {
        if (spec.hackSwitch != nullptr) {
            switches += std::string(switches.empty() ? "" : ", ") + "--" + spec.hackSwitch;
        }
    }
    std::printf("\nThe hack's settings are its switches: %s (see man 6 glimmerpond3d).\n",
                switches.c_str());
    std::fflush(stdout);
}

bool switchlessRunShowsSettings() {
    return false;
}
