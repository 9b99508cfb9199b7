// A name that exists exactly as long as the process that claimed it first is
// alive: Windows keeps a named event open, Linux binds an abstract socket.
#pragma once

// True when this process is the first holder of `name`; the claim is then kept
// until the process ends. False when another live process holds it.
bool claimSingleInstanceName(const char* name);
