// The quit request (see quit_request.h). It is a process-wide flag because a
// signal handler can reach nothing else: C lets it set a volatile
// sig_atomic_t and no more.
#include "platform/quit_request.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t quitAsked = 0;

}  // namespace

void requestQuit() {
    quitAsked = 1;
}

bool quitRequested() {
    return quitAsked != 0;
}
