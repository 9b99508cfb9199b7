// Requests from outside to end the program: on Linux the termination signals
// that XScreenSaver and terminals send (SIGTERM, SIGINT). The main loop asks
// once a frame and ends as a close request would end it.
#pragma once

// From now on a termination request is remembered instead of ending the
// process at once.
void watchTerminationRequests();

// True once a request has arrived since watchTerminationRequests.
bool terminationRequested();
