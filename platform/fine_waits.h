// Timed waits as short as frame pacing needs. Windows rounds a timed wait up
// to its timer's tick, 15.6 ms unless a program asks for a finer one, which
// would turn a 60 Hz pace into 32 Hz; other systems need nothing. Held only
// while frames are drawn: a finer tick costs power, so a paused run lets go.
#pragma once

class FineWaits {
  public:
    FineWaits();
    ~FineWaits();
    FineWaits(const FineWaits&) = delete;
    FineWaits& operator=(const FineWaits&) = delete;
};
