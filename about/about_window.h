// The About window of configuration mode. Constructing it runs the whole
// window: it returns only when the user has closed it.
#pragma once

class AboutWindow {
  public:
    // moduleInstance: the program's instance handle (HINSTANCE on Windows);
    // showCommand: the show command the program was started with.
    AboutWindow(void* moduleInstance, int showCommand);
};
