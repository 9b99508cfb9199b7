// The one request to end the run, read by the main loop once a pass. A key,
// a mouse button, a close message, a preview's host dropping its pane and,
// on Linux, the termination signals that XScreenSaver and terminals send
// (SIGTERM, SIGINT) all set it; the run then ends through its own loop and
// puts back what it changed on the way out.
#pragma once

void requestQuit();
bool quitRequested();

// From now on SIGTERM and SIGINT set the request instead of ending the
// process at once (Windows ends a screensaver through its window instead).
void watchTerminationRequests();
