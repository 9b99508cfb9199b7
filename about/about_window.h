// The About window of configuration mode. Constructing it runs the whole
// window: it returns when the user has closed it, or at once, with what went
// wrong in `failure`, when the window cannot be made.
#pragma once

class Failure;

class AboutWindow {
  public:
    // moduleInstance: the program's instance handle (HINSTANCE on Windows);
    // showCommand: the show command the program was started with.
    AboutWindow(void* moduleInstance, int showCommand, Failure& failure);
};
