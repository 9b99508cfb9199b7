// The guard's name; the platform keeps the claim alive with the process.
#include "app/single_instance_guard.h"

#include "platform/single_instance.h"

namespace {
constexpr char kSingleInstanceName[] = "K_OPENGL_SCREENSAVER";
}

bool isFirstInstance() {
    return claimSingleInstanceName(kSingleInstanceName);
}
