// Timed waits on Linux are already as fine as frame pacing needs (see fine_waits.h).
#include "platform/fine_waits.h"

FineWaits::FineWaits() = default;

FineWaits::~FineWaits() = default;
