// Linux has no Windows version; it answers as a current Windows would (10.0),
// so the window takes the primary monitor's mode.
#include "platform/system_version.h"

std::uint32_t systemVersionWord() {
    return 0x0000000Au;
}
