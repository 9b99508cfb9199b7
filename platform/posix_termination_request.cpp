// SIGTERM and SIGINT set a flag that the main loop reads: the process then
// ends through its own loop, with its X connection closed in order, instead of
// dying mid-request.
#include <csignal>

#include "platform/termination_request.h"

namespace {

volatile std::sig_atomic_t requested = 0;

void onTerminationSignal(int) {
    requested = 1;
}

}  // namespace

void watchTerminationRequests() {
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool terminationRequested() {
    return requested != 0;
}
