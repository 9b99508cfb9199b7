// Lets a test make an allocation that the program keeps until the process
// ends by design, without LeakSanitizer reporting it in sanitized builds.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GP_LEAK_CHECKED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GP_LEAK_CHECKED 1
#endif

#ifdef GP_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

// Allocations made while one lives are not reported as leaks.
struct LeakCheckPause {
#ifdef GP_LEAK_CHECKED
    LeakCheckPause() {
        __lsan_disable();
    }
    ~LeakCheckPause() {
        __lsan_enable();
    }
#else
    LeakCheckPause() {}
#endif
    LeakCheckPause(const LeakCheckPause&) = delete;
    LeakCheckPause& operator=(const LeakCheckPause&) = delete;
};
