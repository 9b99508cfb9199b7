// The bench process's own resident memory, as the soak reports it.
#pragma once

struct ResidentMemory {
    long currentKiB = -1;  // VmRSS (Windows: the working set, which Wine reads from VmRSS)
    long peakKiB = -1;     // VmHWM (Windows: the peak working set, from VmHWM)
};

ResidentMemory residentMemory();
