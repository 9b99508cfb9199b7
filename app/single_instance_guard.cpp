// The guard's name and the wait of a new preview; the platform keeps the claim
// alive with the process.
#include "app/single_instance_guard.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/single_instance.h"

namespace {

constexpr char kSingleInstanceName[] = "K_OPENGL_SCREENSAVER";

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

}  // namespace

bool isFirstInstance() {
    return claimSingleInstanceName(kSingleInstanceName);
}

bool isFirstInstanceWithinWait() {
    return claimWithinWait(isFirstInstance, kPreviewGuardWaitSeconds, kGuardPollSeconds,
                           steadyWaitClock());
}

WaitClock steadyWaitClock() {
    return WaitClock{steadySeconds, sleepSeconds};
}

bool claimWithinWait(bool (*claim)(), double waitSeconds, double pollSeconds,
                     const WaitClock& clock) {
    const double deadline = clock.now() + waitSeconds;
    for (;;) {
        if (claim()) {
            return true;
        }
        const double left = deadline - clock.now();
        if (left <= 0.0) {
            return false;
        }
        clock.sleep(std::min(pollSeconds, left));
    }
}
