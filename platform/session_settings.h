// Settings of the user's whole session that the window library changes and
// puts back only when it is terminated, which a run ended by a key, a mouse
// button or a failure box never reaches.
#pragma once

// Reads those settings now and puts them back when the process ends, whichever
// road it takes out (registered with std::atexit). Call once, before glfwInit;
// a second call does nothing. Where the window library changes nothing in the
// session, there is nothing to keep.
void restoreSessionSettingsAtExit();
