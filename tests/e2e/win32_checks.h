// The smallest test reporting for the Windows test programs: a failed check
// prints where and what, and the program's exit code counts the failures.
#pragma once
#include <cstdio>

namespace checks {
inline int failures = 0;

inline bool expect(bool ok, const char* what, const char* file, int line) {
    if (!ok) {
        ++failures;
        std::printf("FAIL %s:%d: %s\n", file, line, what);
        std::fflush(stdout);
    }
    return ok;
}
}  // namespace checks

#define CHECK(condition) checks::expect((condition), #condition, __FILE__, __LINE__)
