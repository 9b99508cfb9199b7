// Decoding GetVersion's word; the high word (the build number) is not used.
#include "platform/windows_version.h"

namespace {

// Windows Vista: from here on a full-screen window takes the display's mode.
constexpr int kFirstVersionKeepingTheMode = 60;

}  // namespace

int windowsVersion(std::uint32_t versionWord) {
    int major = static_cast<int>(versionWord & 0xFFu);
    int minor = static_cast<int>((versionWord >> 8) & 0xFFu);
    return major * 10 + minor;
}

bool windowsKeepsDisplayMode(int windowsVersion) {
    return windowsVersion >= kFirstVersionKeepingTheMode;
}
