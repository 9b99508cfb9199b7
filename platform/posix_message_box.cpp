// Message boxes on Linux: the text goes to standard error as "Title: text", so
// that a failure is seen in the terminal and by tests, and nothing blocks.
#include <cstdio>

#include "platform/message_box.h"

void showPlatformMessageBox(const char* text, const char* title, MessageIcon) {
    std::fprintf(stderr, "%s: %s\n", title, text);
    std::fflush(stderr);
}
