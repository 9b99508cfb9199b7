// Windows keeps opengl32.dll while the context lives; nothing to keep (see driver_libraries.h).
#include "platform/driver_libraries.h"

void keepDriverLibrariesLoaded() {}
