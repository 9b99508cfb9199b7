// The Linux build has no screensaver host that hands it a preview window yet:
// every answer here says "no preview", and preview mode refuses to start.
#include "platform/host_window.h"

ClientSize hostClientSize(NativeWindowHandle) {
    return ClientSize{};
}

bool isHostWindowEnabled(NativeWindowHandle) {
    return false;
}

NativeWindowHandle createPreviewChild(NativeWindowHandle) {
    return 0;
}
