// Fine timed waits on Windows (see fine_waits.h): a 1 ms timer tick while held.
#include <windows.h>

#include <timeapi.h>

#include "platform/fine_waits.h"

namespace {

constexpr UINT kTickMilliseconds = 1;

}  // namespace

FineWaits::FineWaits() {
    timeBeginPeriod(kTickMilliseconds);
}

FineWaits::~FineWaits() {
    timeEndPeriod(kTickMilliseconds);
}
