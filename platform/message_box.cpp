// The reporting path shared by both platforms: the hook, then the platform's box.
#include "platform/message_box.h"

namespace {
// Set once by a test before any box can be shown; the reporting functions are
// free functions called from every layer, so the hook has no object to live in.
MessageBoxHook boxHook = nullptr;
}  // namespace

void showPlatformMessageBox(const char* text, const char* title, MessageIcon icon);

void setMessageBoxHook(MessageBoxHook hook) {
    boxHook = hook;
}

void showMessageBox(const char* text, const char* title, MessageIcon icon) {
    if (boxHook != nullptr) {
        boxHook(text, title);
    }
    showPlatformMessageBox(text, title, icon);
}
