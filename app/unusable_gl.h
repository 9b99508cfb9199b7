// A display whose OpenGL cannot draw the water: the user is told, in one
// message box, what the program needs and what the display offers, and the
// run ends with 0. A preview ends quietly: a box over the Settings page would
// help no one, and the page starts a new preview at every selection.
#pragma once

#include <string>

#include "app/command_line.h"

class Failure;

void refuseUnusableGL(const std::string& message, ScreensaverMode mode, Failure& failure);
