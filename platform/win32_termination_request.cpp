// Windows ends a screensaver through its window (a key, a click, a close
// message), never by a signal: there is nothing to watch.
#include "platform/quit_request.h"

void watchTerminationRequests() {}
