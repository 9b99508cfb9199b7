// Resident memory on Linux: VmRSS and VmHWM from /proc/self/status.
#include <cstdio>
#include <cstring>

#include "bench/soak_memory.h"

ResidentMemory residentMemory() {
    ResidentMemory memory;
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) {
        return memory;
    }
    char line[256];
    while (std::fgets(line, sizeof(line), status) != nullptr) {
        long kib = 0;
        if (std::sscanf(line, "VmRSS: %ld kB", &kib) == 1) {
            memory.currentKiB = kib;
        } else if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1) {
            memory.peakKiB = kib;
        }
    }
    std::fclose(status);
    return memory;
}
