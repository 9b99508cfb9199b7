// What the window sizing asks of the system: whether a full-screen window
// keeps the display's current mode, or the system switches it to 800 x 600.
#pragma once

bool fullScreenKeepsDisplayMode();
