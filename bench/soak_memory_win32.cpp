// Resident memory on Windows: the working set and its peak. Under Wine these
// are the process's VmRSS and VmHWM.
#include <windows.h>

#include <psapi.h>

#include "bench/soak_memory.h"

ResidentMemory residentMemory() {
    ResidentMemory memory;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        memory.currentKiB = static_cast<long>(counters.WorkingSetSize / 1024);
        memory.peakKiB = static_cast<long>(counters.PeakWorkingSetSize / 1024);
    }
    return memory;
}
