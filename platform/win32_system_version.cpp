// GetVersion is deprecated but still answers, which is all the window sizing needs.
#include <windows.h>

#include "platform/system_version.h"

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif

std::uint32_t systemVersionWord() {
    return static_cast<std::uint32_t>(GetVersion());
}
