// SIGTERM and SIGINT set the quit request that the main loop reads: the
// process then ends through its own loop, with its X connection closed in
// order, instead of dying mid-request.
#include <csignal>

#include "platform/quit_request.h"

namespace {

void onTerminationSignal(int) {
    requestQuit();
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
