// Decoding GetVersion's word; the high word (the build number) is not used.
#include "app/windows_version.h"

int windowsVersion(std::uint32_t versionWord) {
    int major = static_cast<int>(versionWord & 0xFFu);
    int minor = static_cast<int>((versionWord >> 8) & 0xFFu);
    return major * 10 + minor;
}
